// Morvik: shows where a disguised web address really points.

#include <windows.h>

#include "app/common_controls.h"
#include "app/show_main_dialog.h"

// Reads none of its arguments: there is no command line, and the window is
// shown normally whatever show command the process was started with.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  morvik::InitializeCommonControls();
  morvik::ShowMainDialog(nullptr);
  return 0;
}
