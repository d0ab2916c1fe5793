// Percent-escapes are decoded until none is left: a decoded "%" may start a
// new escape (%2541 is A) and a decoded digit may complete an earlier "%"
// (%4%41 is J). Rescanning the whole text after every decode would make such
// input quadratic, and the URL box is decoded on every keystroke.
//
// Why one pass is enough: two escapes never overlap, because an escape is a
// "%" followed by two hexadecimal digits and "%" is not a digit. So decoding
// one escape never destroys another, and every order of decoding ends in the
// same text, the one that holds no escape any more. Decoding left to right
// into an output buffer keeps that buffer free of escapes; a byte appended to
// it can only complete an escape in the last three bytes, and so can the byte
// an escape decodes to. Each decode shortens the output by two bytes, so the
// pass does at most n/2 of them.

#include <array>
#include <cstring>

#include "url/decode_url.h"

namespace morvik {
namespace {

constexpr int kNotHex = -1;

// Value of each byte as a hexadecimal digit in either letter case, or kNotHex.
constexpr std::array<int, 256> kHexDigitValue = [] {
  std::array<int, 256> values{};
  values.fill(kNotHex);
  for (int digit = 0; digit < 10; ++digit) values['0' + digit] = digit;
  for (int digit = 0; digit < 6; ++digit) {
    values['A' + digit] = 10 + digit;
    values['a' + digit] = 10 + digit;
  }
  return values;
}();

int HexDigitValue(char c) { return kHexDigitValue[static_cast<unsigned char>(c)]; }

// True when one of the last two output bytes is a "%" that the next input
// bytes could still turn into an escape.
bool EscapeMayBeOpen(const char* out, std::size_t length) {
  return (length >= 1 && out[length - 1] == '%') || (length >= 2 && out[length - 2] == '%');
}

// Decodes escapes that end at the last output byte, as long as decoding
// brings up new ones, and returns the new output length.
std::size_t DecodeAtEnd(char* out, std::size_t length) {
  while (length >= 3 && out[length - 3] == '%') {
    const int high = HexDigitValue(out[length - 2]);
    const int low = HexDigitValue(out[length - 1]);
    if (high == kNotHex || low == kNotHex) break;
    out[length - 3] = static_cast<char>(high * 16 + low);
    length -= 2;
  }
  return length;
}

}  // namespace

Text DecodePercentEscapes(std::string_view text) {
  Text decoded(text.size(), '\0');  // decoding never lengthens the text
  char* const out = decoded.data();
  std::size_t length = 0;
  const char* in = text.data();
  const char* const end = in + text.size();
  while (in != end) {
    if (!EscapeMayBeOpen(out, length)) {
      // Without an open "%" nothing before the next "%" can form an escape.
      const void* percent = std::memchr(in, '%', static_cast<std::size_t>(end - in));
      const char* const stop = percent != nullptr ? static_cast<const char*>(percent) : end;
      std::memcpy(out + length, in, static_cast<std::size_t>(stop - in));
      length += static_cast<std::size_t>(stop - in);
      in = stop;
      if (in == end) break;
    }
    if (!EscapeMayBeOpen(out, length) && end - in >= 3 && *in == '%' &&
        HexDigitValue(in[1]) != kNotHex && HexDigitValue(in[2]) != kNotHex) {
      // The usual escape, with no "%" open before it: what DecodeAtEnd would
      // make of its three bytes, at once. (Its byte cannot complete an
      // escape, as neither of the two bytes before it is a "%".)
      out[length++] = static_cast<char>(HexDigitValue(in[1]) * 16 + HexDigitValue(in[2]));
      in += 3;
      continue;
    }
    out[length++] = *in++;
    length = DecodeAtEnd(out, length);
  }
  decoded.resize(length);
  return decoded;
}

}  // namespace morvik
