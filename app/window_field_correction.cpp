#include "app/window_field_correction.h"

#include <windows.h>

#include "app/control_ids.h"
#include "app/main_dialog.h"
#include "ipv4/field_correction.h"

namespace morvik {
namespace {

int focus_kept = 0;  // how many FocusKept scopes are open

class WindowFieldCorrection final : public FieldCorrection {
 public:
  void SetText(AddressField field, const Text& text) override {
    SetWindowTextA(FieldWindow(field), text.c_str());
  }
  void SetCaret(AddressField field, Position position) override {
    SendMessageA(FieldWindow(field),
                 EM_SETSEL,
                 static_cast<WPARAM>(position),
                 static_cast<LPARAM>(position));
  }
  void Focus(AddressField field) override {
    if (focus_kept == 0) SetFocus(FieldWindow(field));
  }

 private:
  static HWND FieldWindow(AddressField field) {
    return GetDlgItem(MainDialog, field == AddressField::Decimal ? IDC_DECIMAL : IDC_HEX);
  }
};

}  // namespace

void InstallWindowFieldCorrection() {
  static WindowFieldCorrection correction;
  InstallFieldCorrection(&correction);
}

FocusKept::FocusKept() { ++focus_kept; }
FocusKept::~FocusKept() { --focus_kept; }

}  // namespace morvik
