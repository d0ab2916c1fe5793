#include "url/escape_steps.h"

#include "support/number.h"

namespace morvik {
namespace {

// A missing character (past the end) is not a digit either.
bool IsHexDigitAt(const Text& text, Position position) {
  const Text character = TextSlice(text, position, 1);
  return TextLength(character) == 1 &&
         FindAnyOf(1, UpperCaseText(character), "0123456789ABCDEF") == 1;
}

}  // namespace

std::optional<EscapeStep> DecodeFirstEscape(Text& text) {
  for (Position p = FindText(1, text, "%"); p > 0; p = FindText(p + 1, text, "%")) {
    if (!IsHexDigitAt(text, p + 1) || !IsHexDigitAt(text, p + 2)) continue;
    EscapeStep step{TextSlice(text, p, 3), 0};
    step.count = CountText(text, step.escape);
    const Whole value = RoundToWhole(NumericValue("&h" + TextSlice(step.escape, 2, 2)));
    text = ReplaceText(text, step.escape, CharText(value));
    return step;
  }
  return std::nullopt;
}

}  // namespace morvik
