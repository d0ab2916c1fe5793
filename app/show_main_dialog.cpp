#include "app/show_main_dialog.h"

#include "app/main_dialog.h"
#include "app/main_dialog_callback.h"
#include "app/modal_run.h"
#include "app/result_font.h"

namespace morvik {

int ShowMainDialog(HWND owner) {
  const HWND dialog = CreateMainDialog(owner);
  // Made before the window is shown, deleted only after the modal run, when
  // the fields that use it are gone.
  const Font result_font = CreateResultFont();
  GiveResultFont(dialog, result_font.get());
  return RunModal(dialog, MainDialogCallback);
}

}  // namespace morvik
