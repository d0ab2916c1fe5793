// From dotted text to the decimal and hexadecimal notations.
//
// Dotted text is read loosely, the way a user may leave the address field:
// missing components are zeros at the end (10.1 is 10.1.0.0), every component
// keeps only its leading number, and out-of-range numbers wrap modulo 256.

#include <array>
#include <cstdint>

#include "ipv4/notation.h"
#include "support/number.h"

namespace morvik {
namespace {

// The four bytes b1..b4 of an address, each as two upper-case hex digits.
using HexBytes = std::array<Text, 4>;

// Two hex digits of the component's low byte: 300 gives 2C, -1 gives FF.
Text ComponentByte(const Text& component) {
  const auto low_bits = static_cast<std::uint32_t>(RoundToWhole(NumericValue(component)));
  return TextTail("00" + HexText(low_bits, 0), 2);
}

HexBytes ReadDottedBytes(Text dotted) {
  while (CountText(dotted, ".") < 3) {
    dotted += ".0";
  }
  HexBytes bytes;
  for (std::size_t i = 0; i < 3; ++i) {
    const Position dot = FindText(1, dotted, ".");
    bytes[i] = ComponentByte(TextSlice(dotted, 1, dot - 1));
    dotted = TextSlice(dotted, dot + 1, -1);
  }
  bytes[3] = ComponentByte(dotted);  // all that remains, further dots included
  return bytes;
}

}  // namespace

Text DottedToHex(const Text& dotted) {
  const HexBytes bytes = ReadDottedBytes(dotted);
  return bytes[0] + bytes[1] + bytes[2] + bytes[3];
}

Text DottedToDecimal(const Text& dotted) {
  Number value = 0;
  for (const Text& byte : ReadDottedBytes(dotted)) {
    value = value * 256 + NumericValue("&h" + byte);
  }
  return DecimalText(value);
}

}  // namespace morvik
