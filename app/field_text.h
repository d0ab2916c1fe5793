#pragma once
// Reading and writing the text of one of the dialog's fields. Every field,
// the IP address control included, is read and written as plain text.

#include <windows.h>

#include "support/text.h"

namespace morvik {

// The whole text, however long (a pasted URL may run to megabytes) and
// whatever length the control reports; "" for a control that does not exist.
Text ReadFieldText(HWND dialog, int control_id);

// The control takes the text as NUL-terminated: a NUL inside it ends what
// the control shows. The control notifies the dialog before this returns.
void WriteFieldText(HWND dialog, int control_id, const Text& text);

}  // namespace morvik
