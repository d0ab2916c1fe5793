#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "app/handles.h"
#include "app/ip_address_adapter.h"

namespace morvik {
namespace {

constexpr char kProbeText[] = "1.2.3.4";
constexpr DWORD kProbeAddress = MAKEIPADDRESS(1, 2, 3, 4);
constexpr LRESULT kAllFourParts = 4;

}  // namespace

bool LacksIpAddressTextContract(const char* window_class) {
  // A hidden, ownerless instance: nothing is shown and no window of the
  // program hears its notifications.
  const OwnedWindow probe(CreateWindowExA(0,
                                          window_class,
                                          "",
                                          WS_POPUP,
                                          0,
                                          0,
                                          120,
                                          20,
                                          nullptr,
                                          nullptr,
                                          GetModuleHandleA(nullptr),
                                          nullptr));
  if (!probe) return false;
  SendMessageA(probe.get(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kProbeText));
  DWORD address = 0;
  const LRESULT filled =
      SendMessageA(probe.get(), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return filled != kAllFourParts || address != kProbeAddress;
}

bool SupplyIpAddressTextContract(HWND control) {
  char window_class[64] = "";
  if (control == nullptr || GetClassNameA(control, window_class, sizeof window_class) == 0)
    return false;
  // Asked once per class and process: the platform does not change while the
  // program runs, and each probe instance may leave GDI objects behind (Wine's
  // control keeps a font of its own).
  static std::map<std::string, bool> lacks_contract;
  const auto [decision, first_time] = lacks_contract.try_emplace(window_class, false);
  if (first_time) decision->second = LacksIpAddressTextContract(window_class);
  if (!decision->second) return false;
  return AdaptIpAddressControl(control);
}

}  // namespace morvik
