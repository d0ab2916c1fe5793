#include "tests/url/reference_escape_decoder.h"

#include "support/number.h"

namespace morvik::testing {
namespace {

// A missing character (past the end) is not a digit either.
bool IsHexDigitAt(const Text& text, Position position) {
  const Text character = TextSlice(text, position, 1);
  return TextLength(character) == 1 &&
         FindAnyOf(1, UpperCaseText(character), "0123456789ABCDEF") == 1;
}

}  // namespace

Text ReferenceDecodePercentEscapes(const Text& text) {
  Text s = text;
  Position p = FindText(1, s, "%");
  while (p > 0) {
    if (IsHexDigitAt(s, p + 1) && IsHexDigitAt(s, p + 2)) {
      const Text escape = TextSlice(s, p, 3);
      const Whole value = RoundToWhole(NumericValue("&h" + TextSlice(escape, 2, 2)));
      s = ReplaceText(s, escape, CharText(value));
      p = FindText(1, s, "%");
    } else {
      p = FindText(p + 1, s, "%");
    }
  }
  return s;
}

}  // namespace morvik::testing
