#pragma once
// ICU's spoof checker set up for the address bar's display policy: the
// "highly restrictive" script mixing level, invisible characters, mixed
// numbering systems, and a set of allowed characters.

#include "browser/icu_functions.h"

namespace morvik {

// Made once; null when ICU cannot make it.
const USpoofChecker* DisplayChecker(const IcuFunctions& icu);

}  // namespace morvik
