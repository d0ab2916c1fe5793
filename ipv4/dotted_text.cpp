#include <array>
#include <cstdint>
#include <cstring>

#include "ipv4/notation.h"

namespace morvik {
namespace {

// The decimal digits of every byte value, looked up: a URL's readings write
// dotted text for every address they find.
// Measured worth: 0.4 % of the whole program's instructions (callgrind, 20,000 URLs).
struct ByteDigits {
  char digits[3];
  unsigned char count;
};

constexpr std::array<ByteDigits, 256> kByteDigits = [] {
  std::array<ByteDigits, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    ByteDigits& entry = table[byte];
    if (byte >= 100) entry.digits[entry.count++] = static_cast<char>('0' + byte / 100);
    if (byte >= 10) entry.digits[entry.count++] = static_cast<char>('0' + byte / 10 % 10);
    entry.digits[entry.count++] = static_cast<char>('0' + byte % 10);
  }
  return table;
}();

}  // namespace

Text DottedText(std::uint32_t address) {
  // Four components of at most three digits, each followed by a dot that the
  // last one drops; all three digit places are copied, the unused ones are
  // overwritten by what follows.
  char buffer[16];
  char* end = buffer;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const ByteDigits& byte = kByteDigits[(address >> shift) & 0xFFu];
    std::memcpy(end, byte.digits, sizeof byte.digits);
    end += byte.count;
    *end++ = '.';
  }
  return Text(buffer, end - 1);
}

}  // namespace morvik
