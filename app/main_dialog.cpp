#include "app/main_dialog.h"

#include "app/control_ids.h"
#include "app/dialog_procedure.h"
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
  return MainDialog;
}

}  // namespace morvik
