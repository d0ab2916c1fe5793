#pragma once
// Internationalised domain names as a browser's URL parser reads them: UTS 46
// non-transitional processing with CheckBidi and CheckJoiners, without STD3
// rules, hyphen checks or DNS length limits. ICU does the work (Debian's
// libicu on Linux, the system's icu.dll on Windows, else the Windows API's
// IdnToAscii/IdnToUnicode). Only names that hold non-ASCII characters or
// "xn--" labels come here; an ASCII name is simply lower-cased by the caller.

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "support/text.h"

namespace morvik {

struct IdnaResult {
  bool ok = false;
  Text text;   // the converted name when ok
  Text error;  // the rules the name broke otherwise ("bidi rule", ...)
};

// UTF-8 name to its ASCII ("xn--") form; mapping folds case and width, so
// fullwidth digits become ASCII digits. An "xn--" label that was written in
// ASCII and does not decode is kept as it stands, as browsers keep it.
IdnaResult DomainToAscii(const Text& utf8_domain);

// ASCII name back to UTF-8; a label that does not decode stays in ASCII.
IdnaResult DomainToUnicode(const Text& ascii_domain);

// Labels as UTS 46 splits them: at "." and at the three full stops it maps
// to "." (ideographic, fullwidth, halfwidth ideographic).
std::vector<std::string_view> SplitLabels(std::string_view name);

// What a name that does not decode whole comes to: label by label, each
// label that `decode` turns into Unicode replaced, every other kept in ASCII.
using LabelDecoder = std::function<std::optional<Text>(std::string_view label)>;
Text DecodeLabelByLabel(std::string_view ascii_domain, const LabelDecoder& decode);

// The same, through the platform's own functions where ICU is missing
// (Windows without icu.dll); they are looked up at run time.
IdnaResult FallbackDomainToAscii(const Text& utf8_domain);
IdnaResult FallbackDomainToUnicode(const Text& ascii_domain);

}  // namespace morvik
