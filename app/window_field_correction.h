#pragma once
// The window's side of the seam through which DecimalToDotted and
// HexToDotted correct their own source field.

namespace morvik {

// Installs, once for the whole process, a correction that acts on
// IDC_DECIMAL and IDC_HEX of whatever MainDialog is at the time of the call.
void InstallWindowFieldCorrection();

// While one lives, a correction still sets the field's text and caret but
// leaves the focus where it is. Scopes nest.
class FocusKept {
 public:
  FocusKept();
  ~FocusKept();
  FocusKept(const FocusKept&) = delete;
  FocusKept& operator=(const FocusKept&) = delete;
};

}  // namespace morvik
