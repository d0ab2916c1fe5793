#include "app/main_dialog.h"

#include "app/control_ids.h"
#include "app/dialog_procedure.h"
#include "app/ip_address_adapter.h"
#include "app/main_dialog_controls.h"
#include "app/main_dialog_template.h"
#include "app/window_field_correction.h"

namespace morvik {

HWND MainDialog = nullptr;

namespace {

constexpr COLORREF kHostBackground = RGB(192, 192, 192);

}  // namespace

HWND CreateMainDialog(HWND owner) {
  const DialogTemplateWriter dialog_template = MainDialogTemplate();
  MainDialog = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), dialog_template.Template(), owner, MainDialogProcedure, 0);
  if (MainDialog == nullptr) return nullptr;
  InstallWindowFieldCorrection();

  // The font the dialog made from its template: "MS Sans Serif", 8 points.
  const auto dialog_font = reinterpret_cast<HFONT>(SendMessageA(MainDialog, WM_GETFONT, 0, 0));
  for (const ControlLayout& layout : kMainDialogControls)
    CreateControl(MainDialog, layout, dialog_font);
  AssignControlColours(MainDialog, IDC_HOST, kHostBackground);
  // Where the platform's IP address control does not take and give its
  // address as text (Wine's), it is given that behaviour, so that the field
  // can be read and written as text like every other.
  SupplyIpAddressTextContract(GetDlgItem(MainDialog, IDC_IPADDRESS));
  // The edit control's default limit (30,000 or 32,767 characters) would cut
  // a long pasted or typed URL without a word, and a decoy user part longer
  // than that would push the real host out of the box. Zero asks for the
  // control's own maximum.
  SendDlgItemMessageA(MainDialog, IDC_URL, EM_SETLIMITTEXT, 0, 0);
  return MainDialog;
}

}  // namespace morvik
