#pragma once
// Numbers as the address code reads and writes them.
//
// Every number is read from text by NumericValue and is an 80-bit extended
// precision value (64-bit significand, round to nearest even). Whole numbers
// are signed 64-bit integers made by RoundToWhole.

#include <cstdint>
#include <initializer_list>
#include <limits>

#include "support/text.h"

namespace morvik {

using Number = long double;
using Whole = std::int64_t;

static_assert(std::numeric_limits<Number>::is_iec559 && std::numeric_limits<Number>::digits == 64 &&
                  std::numeric_limits<Number>::max_exponent == 16384,
              "Number must be the 80-bit extended format (64-bit significand)");

// Value of the longest numeric prefix of `text` after blanks, TABs and LFs:
// decimal ("-1.5e3") or radix ("&hFF", "&o17", "&b101", "&17") form; 0 when
// there is none.
Number NumericValue(const Text& text);

// Nearest whole number, ties to even; -2^63 when it does not fit 64 bits.
Whole RoundToWhole(Number value);

// Both operands rounded to whole numbers, quotient truncated toward zero.
Number WholeQuotient(Number dividend, Number divisor);

// Exact remainder for the truncated quotient, sign of the dividend; the
// operands are not rounded. A divisor of 0 gives 0.
Number Remainder(Number dividend, Number divisor);

// Plain decimal digits of a whole number 0 to 4294967295.
Text DecimalText(Number value);

// Upper-case hexadecimal digits of `value`; `digits` 0 keeps the natural
// length, 1 to 8 pads or cuts on the left to exactly that many, more counts as 8.
Text HexText(std::uint32_t value, int digits);

// Formats `numbers` under a mask of "#" digit places and "_"-escaped literals,
// such as "#_.#_.#_.#".
Text MaskFormat(const Text& mask, std::initializer_list<Number> numbers);

}  // namespace morvik
