#include <cstdint>

#include "ipv4/notation.h"

namespace morvik {

Text DottedText(std::uint32_t address) {
  // Four components of at most three digits and three dots.
  char buffer[15];
  char* end = buffer;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) *end++ = '.';
    const unsigned byte = (address >> shift) & 0xFFu;
    if (byte >= 100) *end++ = static_cast<char>('0' + byte / 100);
    if (byte >= 10) *end++ = static_cast<char>('0' + byte / 10 % 10);
    *end++ = static_cast<char>('0' + byte % 10);
  }
  return Text(buffer, end);
}

}  // namespace morvik
