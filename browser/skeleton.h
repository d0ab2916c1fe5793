#pragma once
// What a name looks like, as one text to compare: ICU's skeleton (each
// character replaced by the one it is confused with), without combining
// marks ("googlé" looks like "google") and in lower case.

#include <array>
#include <string_view>

#include "browser/icu_functions.h"
#include "support/text.h"

namespace morvik {

// Empty when ICU cannot make one.
Text LookAlikeSkeleton(const IcuFunctions& icu, std::string_view text);

// The same for ASCII text, by a table of the ASCII characters' skeletons
// that is made from ICU's data once ("paypa1" and "paypal" both give
// "paypal", "rnicrosoft" and "microsoft" both "rnicrosoft"): no ICU call
// per text. Without ICU, the text in lower case.
Text AsciiLookAlikeSkeleton(std::string_view ascii);
// The table itself: the skeleton of each ASCII character.
using AsciiSkeletons = std::array<Text, 128>;
const AsciiSkeletons& AsciiSkeletonTable();

}  // namespace morvik
