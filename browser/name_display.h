#pragma once
// How a browser's address bar would show an internationalised name, and why:
// label by label, each in Unicode when it passes the display policy and in
// its ASCII ("xn--") form otherwise. The policy is ICU's spoof checker at the
// "highly restrictive" level plus rules of our own, one named rule each.

#include <string_view>

#include "browser/protected_sites.h"
#include "support/text.h"

namespace morvik {

enum class LookAlike {
  None,            // shown in Unicode
  NotChecked,      // no spoof checker on this system: shown in ASCII, unjudged
  OutsideProfile,  // a character no name should hold (symbols, "∕", "ĸ", "ʼ")
  Invisible,       // an invisible character, or a mark repeated on one letter
  MixedScripts,    // scripts mixed beyond the highly restrictive level
  MixedNumbers,    // digits from more than one numbering system
  WholeScript,     // one script, every letter like a Latin one, not its country
  CountryLetter,   // "þ", "ð", "ə", "·" outside the one country's domain
  DigitLookAlike,  // digits and characters like digits only ("1շ")
  LatinWithCjk,    // non-ASCII Latin letters with Han, kana or Hangul
  KanaContext,     // a kana sign out of its place ("ー" after Latin)
  CjkLookAlike,    // Han or Bopomofo like a Latin letter, beside another script
  MarkContext,     // a mark on i, j, l, dotless letters, or another script's letter
  HyphenLabel,     // "--" in the third and fourth place of a label
  // Names that pass for a protected site (see site_lookalike.h).
  SiteSkeleton,     // the skeleton of a protected site ("gооgle.com")
  AsciiConfusable,  // ASCII: the same skeleton by ASCII confusables ("paypa1.com")
  OneEdit,          // ASCII: one edit from a protected site's name ("paypall.com")
  AddedWord,        // ASCII: a protected site's name and a word ("paypal-secure.com")
};

struct NameDisplay {
  Text display;  // what the address bar shows
  LookAlike rule = LookAlike::None;
  // For a flagged name, the protected site or plain ASCII name it passes
  // for ("apple.com" for "аррӏе.com"), or empty.
  Text looks_like;
};

// `ascii` and `unicode`: one name in its two IDNA forms. A name with the
// skeleton of one of `sites` is shown in ASCII as a whole.
NameDisplay DisplayName(std::string_view ascii, std::string_view unicode,
                        const ProtectedSites& sites);

}  // namespace morvik
