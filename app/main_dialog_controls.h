#pragma once
// The thirteen children of the main window, in creation order (which is also
// the tab order), and the one helper that creates each of them.

#include <windows.h>

#include <array>

namespace morvik {

struct ControlLayout {
  int id;
  const char* window_class;
  const char* text;
  // Dialog units of the dialog's font; mapped to pixels at creation.
  short x, y, width, height;
  DWORD style;
  DWORD ex_style;
};

extern const std::array<ControlLayout, 13> kMainDialogControls;

// Creates the control as a child of `dialog` and gives it `font` (WM_SETFONT,
// no redraw). Returns the control, or null when it cannot be created.
HWND CreateControl(HWND dialog, const ControlLayout& layout, HFONT font);

}  // namespace morvik
