#pragma once
// The main dialog's window procedure and the state each dialog window owns:
// the attached callback, where its end result goes, and the colours of the
// one control that has its own.

#include <windows.h>

namespace morvik {

// Receives every message of the dialog once attached. A nonzero result ends
// the dialog's own handling of the message and is returned.
using DialogCallback = LRESULT (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// In this order: the attached callback; the assigned colours for a
// WM_CTLCOLOR* message; the system close command, which ends the dialog with
// 0; otherwise the default dialog handling.
INT_PTR CALLBACK MainDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The control is drawn in the window-text colour on `background`, with a
// solid brush that the dialog keeps until the control has been destroyed.
void AssignControlColours(HWND dialog, int control_id, COLORREF background);

// From now on every message goes to `callback` first; ending the dialog
// stores its result in *end_result. Does nothing for a dialog that is gone.
void AttachDialogCallback(HWND dialog, DialogCallback callback, int* end_result);

// Stores `result` where the modal run expects it and destroys the dialog.
void EndMainDialog(HWND dialog, int result);

}  // namespace morvik
