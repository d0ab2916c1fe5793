#include <charconv>
#include <cstdint>

#include "ipv4/notation.h"

namespace morvik {

Text DottedText(std::uint32_t address) {
  // Four components of at most three digits and three dots.
  char buffer[15];
  char* end = buffer;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) *end++ = '.';
    end = std::to_chars(end, buffer + sizeof buffer, (address >> shift) & 0xFFu).ptr;
  }
  return Text(buffer, end);
}

}  // namespace morvik
