#include "app/modal_run.h"

namespace morvik {

void StartModalRun(HWND dialog, DialogCallback callback, int* end_result) {
  callback(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
  AttachDialogCallback(dialog, callback, end_result);
}

bool DeliverNextMessage(HWND dialog) {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

int RunModal(HWND dialog, DialogCallback callback) {
  int end_result = 0;
  StartModalRun(dialog, callback, &end_result);
  ShowWindow(dialog, SW_SHOW);
  // Only the window's end ends the run: the Close handling also posts a quit
  // message, which stays unread.
  while (IsWindow(dialog)) {
    if (!DeliverNextMessage(dialog)) Sleep(1);
  }
  return end_result;
}

}  // namespace morvik
