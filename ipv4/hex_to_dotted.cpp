#include "ipv4/field_correction.h"
#include "ipv4/notation.h"
#include "support/number.h"

namespace morvik {
namespace {

constexpr Position kHexFieldLimit = 8;

// One pair of hexadecimal digits as a dotted component. Reading stops at the
// first character that is not a digit, so "1Z" is 1 and "Z1" is 0.
Text PairText(const Text& digits, Position start) {
  return DecimalText(NumericValue("&h" + TextSlice(digits, start, 2)));
}

}  // namespace

Text HexToDotted(const Text& hex) {
  Text digits = hex;
  if (TextLength(digits) > kHexFieldLimit) {
    digits = TextSlice(digits, 1, kHexFieldLimit);
    CorrectField(AddressField::Hex, digits);
  }
  // Short entries are the low digits of the address: A0B is 0.0.10.11.
  digits = TextTail("00000000" + digits, kHexFieldLimit);
  return PairText(digits, 1) + "." + PairText(digits, 3) + "." + PairText(digits, 5) + "." +
         PairText(digits, 7);
}

}  // namespace morvik
