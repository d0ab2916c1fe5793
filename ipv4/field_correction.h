#pragma once
// The seam through which DecimalToDotted and HexToDotted correct their own
// source field in the window (text, caret, focus).
//
// The core has no window of its own: the window installs an implementation at
// start-up. Until then corrections go nowhere, as they would before the dialog
// exists.

#include "support/text.h"

namespace morvik {

enum class AddressField { Decimal, Hex };

class FieldCorrection {
 public:
  virtual ~FieldCorrection() = default;
  virtual void SetText(AddressField field, const Text& text) = 0;
  // Puts the caret at `position` with nothing selected (EM_SETSEL position, position).
  virtual void SetCaret(AddressField field, Position position) = 0;
  virtual void Focus(AddressField field) = 0;
};

// Installs `correction` (not owned; nullptr removes it) and returns the one it
// replaces.
FieldCorrection* InstallFieldCorrection(FieldCorrection* correction);

// Sets the field's text, puts the caret after its last character and focuses
// it, in that order, through the installed seam.
void CorrectField(AddressField field, const Text& text);

}  // namespace morvik
