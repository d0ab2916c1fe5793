// Writing numbers as text: plain decimal, hexadecimal and under a "#" mask.

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

#include "support/number.h"

namespace morvik {
namespace {

Text WholeText(Whole value) {
  std::array<char, 24> buffer{};  // 19 digits and a sign
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return Text(buffer.data(), result.ptr);
}

// ---- Mask reading ----------------------------------------------------------

constexpr char kDigitPlace = '#';
constexpr char kLiteralNext = '_';

// Copies the mask's literal characters from `at` on into `out`, up to the next
// digit place or the end of the mask; returns where it stopped. "_" makes the
// character after it literal (a "_" at the very end stands for itself).
std::size_t CopyLiterals(const Text& mask, std::size_t at, Text& out) {
  while (at < mask.size() && mask[at] != kDigitPlace) {
    if (mask[at] == kLiteralNext && at + 1 < mask.size()) {
      ++at;
    }
    out += mask[at];
    ++at;
  }
  return at;
}

bool HasDigitPlace(const Text& mask) {
  Text ignored;
  return CopyLiterals(mask, 0, ignored) < mask.size();
}

}  // namespace

Text DecimalText(Number value) {
  // Whole numbers below 10^15 in magnitude, which covers every address value,
  // are written digit for digit. Anything else only has to be readable: it
  // gets 15 significant digits in the shortest of plain or exponent form.
  constexpr Number kLimit = 1e15L;
  if (std::floor(value) == value && std::fabs(value) < kLimit) {
    return WholeText(static_cast<Whole>(value));  // "-0" is written as "0"
  }
  // Magnitudes beyond double's range are written as "inf" or "-inf".
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double near = value > 0 ? kInfinity : -kInfinity;
  if (std::isnan(value) || std::fabs(value) <= std::numeric_limits<double>::max()) {
    near = static_cast<double>(value);
  }
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(
      buffer.data(), buffer.data() + buffer.size(), near, std::chars_format::general, 15);
  return Text(buffer.data(), result.ptr);
}

Text HexText(std::uint32_t value, int digits) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  Text natural;
  do {
    natural.insert(natural.begin(), kHexDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits <= 0) {
    return natural;
  }
  const std::size_t wanted = digits > 8 ? 8 : static_cast<std::size_t>(digits);
  if (natural.size() >= wanted) {
    return natural.substr(natural.size() - wanted);
  }
  return Text(wanted - natural.size(), '0') + natural;
}

Text MaskFormat(const Text& mask, std::initializer_list<Number> numbers) {
  Text out;
  if (!HasDigitPlace(mask)) {
    CopyLiterals(mask, 0, out);  // nothing to fill in: the mask alone
    return out;
  }
  std::size_t at = 0;
  for (const Number number : numbers) {
    at = CopyLiterals(mask, at, out);
    if (at == mask.size()) {
      at = CopyLiterals(mask, 0, out);  // the mask is used again from its start
    }
    std::size_t places = 0;
    for (; at < mask.size() && mask[at] == kDigitPlace; ++at) {
      ++places;
    }
    // Right-aligned in the field; a wider number widens the field.
    const Text digits = WholeText(RoundToWhole(number));
    if (digits.size() < places) {
      out.append(places - digits.size(), ' ');
    }
    out += digits;
    at = CopyLiterals(mask, at, out);
  }
  return out;
}

}  // namespace morvik
