// Whole numbers: rounding a Number to a signed 64-bit integer, and the whole
// quotient and remainder that split an address value into its bytes.

#include <cmath>
#include <cstdint>
#include <limits>

#include "support/number.h"

namespace morvik {
namespace {

constexpr Whole kOutOfRange = std::numeric_limits<Whole>::min();

// 2^63 as a Number; every whole number in [-2^63, 2^63) fits a Whole.
const Number kTwoTo63 = std::ldexp(Number{1}, 63);

}  // namespace

Whole RoundToWhole(Number value) {
  // Ties to even, worked out by hand so the result does not depend on the
  // rounding mode currently set. value - floor(value) is exact.
  const Number below = std::floor(value);
  const Number fraction = value - below;
  Number rounded = below;
  if (fraction > Number{0.5L} || (fraction == Number{0.5L} && std::fmod(below, Number{2}) != 0)) {
    rounded = below + 1;
  }
  // Written so that NaN fails the test too: no out-of-range conversion.
  if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) {
    return kOutOfRange;
  }
  return static_cast<Whole>(rounded);
}

Number WholeQuotient(Number dividend, Number divisor) {
  const Whole a = RoundToWhole(dividend);
  const Whole b = RoundToWhole(divisor);
  if (b == 0) {
    return 0;  // never asked for; any harmless answer will do
  }
  if (b == -1) {
    return -static_cast<Number>(a);  // -(-2^63) does not fit a Whole, but a Number
  }
  const Whole quotient = a / b;  // integer division truncates toward zero, as wanted
  return static_cast<Number>(quotient);
}

Number Remainder(Number dividend, Number divisor) {
  if (divisor == 0 || !std::isfinite(dividend) || std::isnan(divisor)) {
    return 0;
  }
  return std::fmod(dividend, divisor);  // exact, with the sign of the dividend
}

}  // namespace morvik
