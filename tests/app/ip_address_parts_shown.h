#pragma once
// What an IP address control's four parts show, read from the parts
// themselves rather than asked of the control.

#include <windows.h>

#include <array>
#include <string>

namespace morvik::testing {

// Left to right; all four "" when the control does not have four edit parts.
std::array<std::string, 4> PartsShown(HWND control);

// The part windows, left to right (null when there are not four).
std::array<HWND, 4> PartWindows(HWND control);

}  // namespace morvik::testing
