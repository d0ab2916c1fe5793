#include "app/ip_address_parts.h"

#include <algorithm>

namespace morvik {
namespace {

constexpr std::size_t kMostDigits = 3;
constexpr int kLargestPart = 255;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a part's digits, at most 255; -1 for anything but 1 to 3 digits.
int PartValue(std::string_view piece) {
  if (piece.empty() || piece.size() > kMostDigits ||
      !std::all_of(piece.begin(), piece.end(), IsDigit)) {
    return -1;
  }
  int value = 0;
  for (const char digit : piece) value = value * 10 + (digit - '0');
  return std::min(value, kLargestPart);
}

}  // namespace

IpAddressParts SpreadOverParts(std::string_view text) {
  IpAddressParts parts;
  std::size_t start = 0;
  for (std::string& part : parts) {
    if (start > text.size()) break;  // fewer than four pieces
    const std::size_t dot = std::min(text.find('.', start), text.size());
    const int value = PartValue(text.substr(start, dot - start));
    if (value >= 0) part = std::to_string(value);
    start = dot + 1;
  }
  return parts;
}

std::string ComposeFromParts(const IpAddressParts& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += '.';
    text += std::to_string(std::max(PartValue(part), 0));
  }
  return text;
}

}  // namespace morvik
