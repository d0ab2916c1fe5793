#pragma once
// Running the main dialog modally without disabling any other window: the
// dialog has no owner, and its About box is system-modal on its own.

#include <windows.h>

#include "app/dialog_procedure.h"

namespace morvik {

// Calls `callback` once with WM_INITDIALOG (before it is attached, so it sees
// that message only this once), then attaches it with `end_result` as the
// place for the end result. A dialog that does not exist only gets the call.
void StartModalRun(HWND dialog, DialogCallback callback, int* end_result);

// Takes one message off the thread's queue and delivers it: to the dialog
// manager first (Tab, mnemonics, Escape) while the dialog exists, else or if
// it is not taken, translated and dispatched. False when the queue was empty.
// A quit message is delivered like any other.
bool DeliverNextMessage(HWND dialog);

// StartModalRun, then shows the dialog and delivers messages, sleeping 1 ms
// whenever the queue is empty, until the dialog window is gone. Returns the
// end result (0 when the dialog never existed).
int RunModal(HWND dialog, DialogCallback callback);

}  // namespace morvik
