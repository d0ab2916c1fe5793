#pragma once
// Percent-escapes decoded step by step, as the rules state the loop: the
// first escape of the text is decoded wherever it occurs, then the text is
// searched again from its start. Quadratic, and obviously right: the way to
// show each step (the trace), and the expected answer for the one-pass
// DecodePercentEscapes.

#include <cstdint>
#include <optional>

#include "support/text.h"

namespace morvik {

struct EscapeStep {
  Text escape;             // "%41"
  std::int64_t count = 0;  // how many times it stood in the text
};

// One step on `text`; nothing when no escape is left.
std::optional<EscapeStep> DecodeFirstEscape(Text& text);

}  // namespace morvik
