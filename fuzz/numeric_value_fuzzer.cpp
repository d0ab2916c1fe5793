// NumericValue on any bytes: no undefined behaviour, never NaN or infinite
// (an overflowing decimal number gives 2^127 with its sign), a radix form is
// always a whole 64-bit number, and a sign in front negates a number exactly.
// The whole-number helpers that consume its results must stay defined too.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/fuzz_check.h"
#include "support/number.h"

namespace morvik::fuzz {
namespace {

const Number kTwoTo63 = std::ldexp(Number{1}, 63);

// What NumericValue skips before a number.
bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

Text Shown(Number value) {
  char text[64];
  std::snprintf(text, sizeof text, "value %.21Lg", value);
  return text;
}

void CheckNumericValue(const Text& text) {
  const Number value = NumericValue(text);
  Require(std::isfinite(value), "NumericValue is finite", text, Shown(value));

  const std::size_t start = text.find_first_not_of(" \t\n");
  const bool radix = start != Text::npos && text[start] == '&';
  if (radix) {
    Require(value == std::floor(value) && value >= -kTwoTo63 && value < kTwoTo63,
            "a radix form reads as a signed 64-bit whole number",
            text,
            Shown(value));
  }
  // A digit or point first: the same number with a minus sign is its negation.
  if (!text.empty() && !IsSkipped(text[0]) && text.find_first_of("0123456789.") == 0) {
    const Number negated = NumericValue("-" + text);
    Require(negated == -value && std::signbit(negated) != std::signbit(value),
            "a minus sign negates the number exactly",
            text,
            Shown(value) + ", with the sign " + Shown(negated));
  }

  // The helpers the address code applies to such values.
  const Whole whole = RoundToWhole(value);
  if (std::fabs(value) < kTwoTo63 / 2) {
    const Number distance = std::fabs(static_cast<Number>(whole) - value);
    Require(distance < 0.5L || (distance == 0.5L && whole % 2 == 0),
            "RoundToWhole gives the nearest whole number, ties to even",
            text,
            Shown(value) + ", rounded " + std::to_string(whole));
  }
  const Number quotient = WholeQuotient(value, 256);
  const Number remainder = Remainder(value, 256);
  Require(std::isfinite(quotient) && std::fabs(remainder) < 256,
          "whole quotient and remainder by 256 stay in range",
          text,
          Shown(value));
  if (value >= 0 && value <= 4294967295.0L && value == std::floor(value)) {
    Require(NumericValue(DecimalText(value)) == value,
            "an address value reads back from its decimal text",
            text,
            Shown(value));
  }
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckNumericValue(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
