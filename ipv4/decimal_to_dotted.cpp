#include <cstdint>

#include "ipv4/field_correction.h"
#include "ipv4/notation.h"
#include "support/number.h"

namespace morvik {
namespace {

constexpr Number kLargestAddress = 4294967295.0L;

// One dotted component: the byte of `address` that a division by `scale`
// brings down to the bottom.
Text ByteText(Number address, Number scale) {
  return DecimalText(Remainder(WholeQuotient(address, scale), 256));
}

}  // namespace

Text DecimalToDotted(const Text& decimal) {
  const Number value = NumericValue(decimal);
  std::uint32_t address;
  if (value > kLargestAddress) {
    // Show the user the largest address instead of silently wrapping.
    CorrectField(AddressField::Decimal, DecimalText(kLargestAddress));
    address = 0xFFFFFFFFu;
  } else {
    // Low 32 bits in two's complement: -1 is 255.255.255.255, and a value
    // below the 64-bit range (rounded to -2^63) is 0.
    address = static_cast<std::uint32_t>(RoundToWhole(value));
  }
  const Number n = address;
  return ByteText(n, 16777216) + "." + ByteText(n, 65536) + "." + ByteText(n, 256) + "." +
         DecimalText(Remainder(n, 256));
}

}  // namespace morvik
