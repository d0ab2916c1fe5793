#include "app/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#include "app/handles.h"

namespace morvik {
namespace {

// ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES; the last one
// registers the IP address control.
constexpr DWORD kControlClasses = 0x9FF;
static_assert(kControlClasses == (ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES));

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

}  // namespace

void InitializeCommonControls() {
  // Looked up by name, so that the program still starts with a library that
  // predates InitCommonControlsEx.
  const Library comctl32(LoadLibraryA("COMCTL32.DLL"));
  if (!comctl32) return;
  const FARPROC export_address = GetProcAddress(comctl32.get(), "InitCommonControlsEx");
  if (export_address == nullptr) {
    InitCommonControls();
    return;
  }
  const auto initialize =
      reinterpret_cast<InitCommonControlsExFunction>(reinterpret_cast<void*>(export_address));
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), kControlClasses};
  initialize(&classes);
}

}  // namespace morvik
