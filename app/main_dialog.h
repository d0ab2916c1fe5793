#pragma once
// Building the main window.

#include <windows.h>

namespace morvik {

// The program-wide handle of the main dialog: 0 until it has been created,
// and not cleared when it ends. The address conversions reach IDC_DECIMAL and
// IDC_HEX through it to correct them.
extern HWND MainDialog;

// Builds the main dialog hidden, with the given owner: the empty dialog from
// its template, then its thirteen controls in the dialog's font, the host
// field's colours and no text limit on the URL box; sets MainDialog and
// installs the field-correction seam.
// Returns MainDialog (null when the dialog cannot be created). The window is
// not yet attached to any callback and not yet shown.
HWND CreateMainDialog(HWND owner);

}  // namespace morvik
