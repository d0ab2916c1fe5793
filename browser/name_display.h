#pragma once
// How a browser's address bar would show an internationalised name, and why:
// in Unicode only when every label passes an IDN display policy, in its
// ASCII ("xn--") form otherwise. The policy is ICU's spoof checker at the
// "highly restrictive" level plus rules of our own, one named rule each.

#include <string_view>

#include "support/text.h"

namespace morvik {

enum class LookAlike {
  None,            // shown in Unicode
  NotChecked,      // no spoof checker on this system: shown in ASCII, unjudged
  OutsideProfile,  // a character no identifier should hold (symbols, "∕", "⁄")
  Invisible,       // an invisible character, or a mark repeated on one letter
  MixedScripts,    // scripts mixed beyond the highly restrictive level
  MixedNumbers,    // digits from more than one numbering system
  WholeScript,     // one script, and every letter has a Latin look-alike
  AsciiName,       // the name's skeleton is that of a plain ASCII name
};

struct NameDisplay {
  Text display;  // what the address bar shows
  LookAlike rule = LookAlike::None;
  // A plain ASCII name with the same skeleton ("apple.com" for "аррӏе.com"),
  // or empty.
  Text looks_like;
};

// `ascii` and `unicode`: one name in its two IDNA forms.
NameDisplay DisplayName(std::string_view ascii, std::string_view unicode);

}  // namespace morvik
