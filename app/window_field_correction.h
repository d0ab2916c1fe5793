#pragma once
// The window's side of the seam through which DecimalToDotted and
// HexToDotted correct their own source field.

namespace morvik {

// Installs, once for the whole process, a correction that acts on
// IDC_DECIMAL and IDC_HEX of whatever MainDialog is at the time of the call.
void InstallWindowFieldCorrection();

}  // namespace morvik
