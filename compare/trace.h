#pragma once
// The window's URL decoding one step at a time, for --trace: every step that
// changed the text, with the text after it.

#include <string_view>
#include <vector>

#include "support/text.h"

namespace morvik {

struct TraceStep {
  Text step;  // "scheme removed", "escape %41 decoded", ...
  Text text;  // the text after the step (very long texts are shortened)
};

// The last step's text is what DecodeUrl returns (unless shortened).
std::vector<TraceStep> TraceWindowDecoding(std::string_view url);

}  // namespace morvik
