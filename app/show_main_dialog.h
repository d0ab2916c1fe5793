#pragma once

#include <windows.h>

namespace morvik {

// Builds the main window with the given owner, runs it modally with
// MainDialogCallback until it is closed and returns its end result (0).
int ShowMainDialog(HWND owner);

}  // namespace morvik
