#pragma once
// The three notations of an address worked out with shifts and masks, apart
// from the code under test, and the exact forms it must produce.

#include <cstdint>
#include <optional>

#include "support/text.h"

namespace morvik::testing {

using Address = std::uint32_t;

Text CanonicalDotted(Address address);   // 192.168.1.1
Text CanonicalDecimal(Address address);  // 3232235777
Text CanonicalHex(Address address);      // C0A80101

// The address a text stands for when it has exactly the canonical form of
// that notation: no sign, blank, exponent, prefix or superfluous leading zero,
// hexadecimal digits in upper case. Anything else gives nothing.
std::optional<Address> ReadCanonicalDotted(const Text& text);
std::optional<Address> ReadCanonicalDecimal(const Text& text);
std::optional<Address> ReadCanonicalHex(const Text& text);

}  // namespace morvik::testing
