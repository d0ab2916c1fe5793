#pragma once
// A text part's bytes as UTF-8, whatever its charset label says.

#include <string_view>

#include "support/text.h"

namespace morvik {

struct Utf8Text {
  Text text;
  // Empty, or why the label could not be followed and how the text was read
  // instead ("charset 'x-unknown' unknown; read as UTF-8").
  Text note;
};

// `label` is the part's charset parameter ("" when none). Text that cannot
// be read by its label is read as UTF-8 when it is valid UTF-8, else as
// ISO-8859-1, which takes any byte: a link is still found in a mislabelled
// part. Without a label, text that is not UTF-8 is read as ISO-8859-1
// without a note (old mailers send 8-bit text unlabelled).
Utf8Text ToUtf8(std::string_view bytes, std::string_view label);

bool IsUtf8(std::string_view bytes);

}  // namespace morvik
