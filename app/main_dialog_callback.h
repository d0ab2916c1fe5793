#pragma once
// The main window's event handler: turns the controls' WM_COMMAND
// notifications into the window's three translations (URL to host, host to
// address, address to address), the About box and Close.

#include <windows.h>

namespace morvik {

// Which address field last received the focus: 0 none yet, 1 IDC_IPADDRESS,
// 2 IDC_DECIMAL, 3 IDC_HEX. Only that field's edits are converted, which is
// what keeps the program's own writes into the other two from echoing back.
// Set only by those fields' focus notifications; never returns to 0.
extern int ActiveField;

// Handles WM_COMMAND and ignores every other message. Always returns 0, so
// the dialog's own handling goes on after it. Re-entered, nested, whenever a
// write into a field makes that field notify the dialog.
LRESULT MainDialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace morvik
