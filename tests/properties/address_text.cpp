#include "tests/properties/address_text.h"

#include <cstddef>
#include <string_view>

namespace morvik::testing {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Plain decimal digits without a superfluous leading zero, at most
// `max_digits` of them, read into `value`.
bool ReadPlainDigits(const Text& text, std::size_t max_digits, std::uint64_t& value) {
  if (text.empty() || text.size() > max_digits || (text[0] == '0' && text.size() > 1)) {
    return false;
  }
  value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

}  // namespace

Text CanonicalDotted(Address address) {
  Text dotted;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!dotted.empty()) dotted += '.';
    dotted += CanonicalDecimal((address >> shift) & 0xFF);
  }
  return dotted;
}

Text CanonicalDecimal(Address address) {
  Text digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + address % 10));
    address /= 10;
  } while (address != 0);
  return digits;
}

Text CanonicalHex(Address address) {
  Text digits(8, '0');
  for (int at = 7; at >= 0; --at, address >>= 4) {
    digits[static_cast<std::size_t>(at)] = kHexDigits[address & 0xF];
  }
  return digits;
}

std::optional<Address> ReadCanonicalDotted(const Text& text) {
  Address address = 0;
  std::size_t start = 0;
  for (int component = 0; component < 4; ++component) {
    const std::size_t dot = component < 3 ? text.find('.', start) : text.size();
    if (dot == Text::npos) return std::nullopt;
    std::uint64_t byte = 0;
    if (!ReadPlainDigits(text.substr(start, dot - start), 3, byte) || byte > 255) {
      return std::nullopt;
    }
    address = (address << 8) | static_cast<Address>(byte);
    start = dot + 1;
  }
  return address;
}

std::optional<Address> ReadCanonicalDecimal(const Text& text) {
  std::uint64_t value = 0;
  if (!ReadPlainDigits(text, 10, value) || value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<Address>(value);
}

std::optional<Address> ReadCanonicalHex(const Text& text) {
  if (text.size() != 8) return std::nullopt;
  Address address = 0;
  for (const char c : text) {
    const std::size_t digit = kHexDigits.find(c);
    if (digit == std::string_view::npos) return std::nullopt;
    address = (address << 4) | static_cast<Address>(digit);
  }
  return address;
}

}  // namespace morvik::testing
