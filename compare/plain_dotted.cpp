#include "compare/plain_dotted.h"

#include <charconv>

namespace morvik {

std::optional<std::uint32_t> PlainDottedValue(std::string_view text) {
  std::uint32_t address = 0;
  std::size_t at = 0;
  for (int component = 0; component < 4; ++component) {
    if (component > 0) {
      if (at >= text.size() || text[at] != '.') return std::nullopt;
      ++at;
    }
    unsigned value = 0;
    std::size_t digits = 0;
    while (at < text.size() && digits < 4 && text[at] >= '0' && text[at] <= '9') {
      value = value * 10 + static_cast<unsigned>(text[at] - '0');
      ++at;
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
    address = address << 8 | value;
  }
  if (at != text.size()) return std::nullopt;
  return address;
}

Text DecimalNotation(std::uint32_t address) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, address);
  return Text(digits, result.ptr);
}

Text HexNotation(std::uint32_t address) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  Text hex(8, '0');
  for (int i = 7; i >= 0; --i, address >>= 4)
    hex[static_cast<std::size_t>(i)] = kDigits[address & 15];
  return hex;
}

}  // namespace morvik
