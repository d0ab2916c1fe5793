#include "browser/ipv4.h"

#include <algorithm>

#include "support/text.h"

namespace morvik {
namespace {

// Anything above 2^32 fails the range check, so values are clamped here to
// keep a long run of digits from overflowing.
constexpr std::uint64_t kClamp = std::uint64_t{1} << 40;

struct PartValue {
  std::uint64_t value = 0;
  int radix = 10;
  bool octal_misleads = false;
};

std::uint64_t Accumulate(std::uint64_t value, int radix, int digit) {
  const std::uint64_t next =
      value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  return next > kClamp ? kClamp : next;
}

// One part: "0x" or "0X" makes it hexadecimal, a leading 0 octal; the prefix
// alone ("0x") is zero. An empty part or a digit outside the radix fails.
std::optional<PartValue> ParsePart(std::string_view part) {
  if (part.empty()) return std::nullopt;
  PartValue result;
  std::string_view digits = part;
  if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    result.radix = 16;
    digits.remove_prefix(2);
  } else if (digits.size() >= 2 && digits[0] == '0') {
    result.radix = 8;
    digits.remove_prefix(1);
  }
  std::uint64_t as_decimal = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= result.radix) return std::nullopt;
    result.value = Accumulate(result.value, result.radix, digit);
    if (result.radix == 8) as_decimal = Accumulate(as_decimal, 10, digit);
  }
  result.octal_misleads = result.radix == 8 && as_decimal != result.value;
  return result;
}

// One trailing dot ends the last label without starting an empty one.
std::string_view WithoutTrailingDot(std::string_view host) {
  if (host.size() > 1 && host.back() == '.') host.remove_suffix(1);
  return host;
}

}  // namespace

bool EndsInANumber(std::string_view host) {
  if (host.empty() || host == ".") return false;
  host = WithoutTrailingDot(host);
  const std::size_t dot = host.rfind('.');
  const std::string_view last = dot == std::string_view::npos ? host : host.substr(dot + 1);
  const bool all_digits =
      std::all_of(last.begin(), last.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!last.empty() && all_digits) return true;
  return ParsePart(last).has_value();
}

std::optional<BrowserIpv4> ParseBrowserIpv4(std::string_view host) {
  BrowserIpv4 result;
  result.trailing_dot = host.size() > 1 && host.back() == '.';
  host = WithoutTrailingDot(host);

  // One pass over the parts; only the last one may exceed a byte.
  std::uint64_t address = 0;
  std::size_t start = 0;
  for (int index = 0; index < 4; ++index) {
    std::size_t end = start;
    while (end < host.size() && host[end] != '.') ++end;
    const std::optional<PartValue> part = ParsePart(host.substr(start, end - start));
    if (!part) return std::nullopt;
    result.hex_part |= part->radix == 16;
    result.octal_part |= part->octal_misleads;
    if (end == host.size()) {
      // The last part fills the bytes the others left: below 256^(4 - index).
      result.parts = index + 1;
      const std::uint64_t limit = std::uint64_t{1} << (8 * (4 - index));
      if (part->value >= limit) return std::nullopt;
      result.address = static_cast<std::uint32_t>(address + part->value);
      return result;
    }
    if (part->value > 255) return std::nullopt;
    address += part->value << (8 * (3 - index));
    start = end + 1;
  }
  return std::nullopt;  // a fifth part
}

}  // namespace morvik
