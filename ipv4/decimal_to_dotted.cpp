#include <cstdint>

#include "ipv4/field_correction.h"
#include "ipv4/notation.h"
#include "support/number.h"

namespace morvik {
namespace {

constexpr Number kLargestAddress = 4294967295.0L;

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
  // Each component is the byte that a whole division by 2^24, 2^16, 2^8 or 1
  // brings down to the bottom, modulo 256: for a whole address that is exactly
  // its four bytes, so integer arithmetic gives the same text.
  return DottedText(address);
}

}  // namespace morvik
