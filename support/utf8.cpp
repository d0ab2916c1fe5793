#include "support/utf8.h"

namespace morvik {
namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t offset) -> unsigned char {
    return at + offset < text.size() ? static_cast<unsigned char>(text[at + offset]) : 0;
  };
  if (at >= text.size()) return 0;
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  // Well-formed sequences: the second byte's range depends on the lead byte,
  // which rules out overlong forms, surrogates and values above U+10FFFF.
  unsigned char second_low = 0x80;
  unsigned char second_high = 0xBF;
  std::size_t length = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) second_low = 0xA0;
    if (lead == 0xED) second_high = 0x9F;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) second_low = 0x90;
    if (lead == 0xF4) second_high = 0x8F;
  } else {
    return 0;
  }
  if (!InRange(byte(1), second_low, second_high)) return 0;
  for (std::size_t offset = 2; offset < length; ++offset) {
    if (!InRange(byte(offset), 0x80, 0xBF)) return 0;
  }
  return length;
}

char32_t Utf8CodePoint(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead;
  char32_t code_point = lead & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) {
    code_point = code_point << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  }
  return code_point;
}

}  // namespace morvik
