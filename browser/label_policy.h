#pragma once
// One label of an internationalised name, judged as an address bar judges
// it before showing it in Unicode: ICU's spoof checks first, then the rules
// for scripts, digits, kana, Han strokes, combining marks and letters that
// only one country's names use.

#include <string_view>

#include "browser/icu_functions.h"
#include "browser/name_display.h"

namespace morvik {

struct TopLevelDomain {
  std::string_view ascii;    // "com", "xn--p1ai"
  std::string_view unicode;  // "com", "рф"
};

// `label`: one label in Unicode (UTF-8, as IDNA gives it). LookAlike::None
// when it may be shown in Unicode.
LookAlike JudgeLabel(const IcuFunctions& icu, const USpoofChecker& checker, std::string_view label,
                     const TopLevelDomain& tld);

}  // namespace morvik
