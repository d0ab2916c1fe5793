#pragma once
// UTF-8 as the output writers need it: URLs are bytes, and the bytes that
// are not UTF-8 must be written so that no reader is confused by them.

#include <cstddef>
#include <string_view>

namespace morvik {

// Length (1 to 4) of the well-formed UTF-8 sequence starting at `at`, or 0
// when the byte there does not start one (a stray continuation byte, an
// overlong form, a surrogate, a value above U+10FFFF, a cut-off sequence).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The code point of a sequence that Utf8SequenceLength accepted.
char32_t Utf8CodePoint(std::string_view sequence);

}  // namespace morvik
