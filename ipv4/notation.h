#pragma once
// The three notations of an IPv4 address and the conversions between them.
//
//   dotted       192.168.1.1   (read loosely, written canonically)
//   decimal      3232235777
//   hexadecimal  C0A80101
//
// DecimalToDotted and HexToDotted also correct an over-long or over-range
// source field through the window seam (see field_correction.h).

#include <cstdint>

#include "support/text.h"

namespace morvik {

// The canonical dotted text of an address: four decimal components, 0 to 255,
// without leading zeros (3232235777 is 192.168.1.1).
Text DottedText(std::uint32_t address);

Text DottedToDecimal(const Text& dotted);
Text DottedToHex(const Text& dotted);

// Values above 4294967295 become 255.255.255.255 and set the decimal field
// to "4294967295"; fractions round to even; negatives wrap modulo 2^32.
Text DecimalToDotted(const Text& decimal);

// Text longer than 8 characters is cut to its first 8 (in the hex field too);
// shorter text is aligned to the right.
Text HexToDotted(const Text& hex);

}  // namespace morvik
