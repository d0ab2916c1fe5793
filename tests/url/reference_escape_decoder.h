#pragma once
// The escape decoding loop exactly as the rules state it: after every decode
// the whole text is searched again from its start. Quadratic, obviously right;
// the expected answer for the one-pass decoder.

#include "support/text.h"

namespace morvik::testing {

Text ReferenceDecodePercentEscapes(const Text& text);

}  // namespace morvik::testing
