#pragma once
// How a line of text reads on screen once the bidirectional algorithm has
// reordered it: what a right-to-left override makes of "fdp.exe".

#include <optional>
#include <string_view>

#include "support/text.h"

namespace morvik {

enum class LineDirection {
  LeftToRight,  // as an address bar lays out a URL
  FromText,     // from the first strong character, left to right when there is none
};

// The characters of `text` (UTF-8) left to right as drawn, mirrored where a
// right-to-left run mirrors them, without those that draw nothing
// (DrawnText). Null without ICU or when the text is not UTF-8.
std::optional<Text> VisualOrder(std::string_view text, LineDirection direction);

}  // namespace morvik
