#include "browser/ipv6.h"

#include <cstdio>
#include <utility>

#include "support/text.h"

namespace morvik {
namespace {

class Ipv6Reader {
 public:
  explicit Ipv6Reader(std::string_view text) : text_(text) {}

  std::optional<Ipv6Address> Read() {
    if (At() == ':') {
      if (Next() != ':') return std::nullopt;
      at_ += 2;
      compress_ = ++piece_;
    }
    while (!AtEnd()) {
      if (piece_ == 8) return std::nullopt;
      if (At() == ':') {
        if (compress_ >= 0) return std::nullopt;  // a second "::"
        ++at_;
        compress_ = ++piece_;
        continue;
      }
      unsigned value = 0;
      int length = 0;
      while (length < 4 && HexDigit(At()) >= 0) {
        value = value * 16 + static_cast<unsigned>(HexDigit(At()));
        ++at_;
        ++length;
      }
      if (At() == '.') {
        if (length == 0) return std::nullopt;
        at_ -= static_cast<std::size_t>(length);
        if (!ReadEmbeddedIpv4()) return std::nullopt;
        break;
      }
      if (At() == ':') {
        ++at_;
        if (AtEnd()) return std::nullopt;
      } else if (!AtEnd()) {
        return std::nullopt;
      }
      address_[static_cast<std::size_t>(piece_++)] = static_cast<std::uint16_t>(value);
    }
    if (compress_ >= 0) {
      // Move the pieces after "::" to the end; zeros fill the gap.
      int swaps = piece_ - compress_;
      for (int index = 7; index != 0 && swaps > 0; --index, --swaps) {
        std::swap(address_[static_cast<std::size_t>(index)],
                  address_[static_cast<std::size_t>(compress_ + swaps - 1)]);
      }
    } else if (piece_ != 8) {
      return std::nullopt;
    }
    return address_;
  }

 private:
  bool AtEnd() const { return at_ >= text_.size(); }
  char At() const { return AtEnd() ? '\0' : text_[at_]; }
  char Next() const { return at_ + 1 < text_.size() ? text_[at_ + 1] : '\0'; }

  // The last 32 bits written as strict dotted decimal ("::ffff:1.2.3.4"):
  // exactly four numbers, no leading zeros, none above 255.
  bool ReadEmbeddedIpv4() {
    if (piece_ > 6) return false;
    int numbers_seen = 0;
    while (!AtEnd()) {
      if (numbers_seen > 0) {
        if (At() != '.' || numbers_seen >= 4) return false;
        ++at_;
      }
      if (!IsAsciiDigit(At())) return false;
      int number = -1;
      while (IsAsciiDigit(At())) {
        const int digit = At() - '0';
        if (number == 0) return false;
        number = number < 0 ? digit : number * 10 + digit;
        if (number > 255) return false;
        ++at_;
      }
      auto& piece = address_[static_cast<std::size_t>(piece_)];
      piece = static_cast<std::uint16_t>(piece * 0x100 + number);
      ++numbers_seen;
      if (numbers_seen == 2 || numbers_seen == 4) ++piece_;
    }
    return numbers_seen == 4;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  Ipv6Address address_{};
  int piece_ = 0;
  int compress_ = -1;
};

}  // namespace

std::optional<Ipv6Address> ParseBrowserIpv6(std::string_view text) {
  return Ipv6Reader(text).Read();
}

Text Ipv6Text(const Ipv6Address& address) {
  // The first longest run of zero pieces, if it is at least two long.
  int best_start = -1;
  int best_length = 1;
  for (int start = 0; start < 8;) {
    int end = start;
    while (end < 8 && address[static_cast<std::size_t>(end)] == 0) ++end;
    if (end - start > best_length) {
      best_start = start;
      best_length = end - start;
    }
    start = end == start ? start + 1 : end;
  }
  Text text;
  for (int index = 0; index < 8; ++index) {
    if (index == best_start) {
      text += index == 0 ? "::" : ":";
      index += best_length - 1;
      continue;
    }
    char piece[8];
    std::snprintf(piece, sizeof piece, "%x", address[static_cast<std::size_t>(index)]);
    text += piece;
    if (index < 7) text += ':';
  }
  return text;
}

}  // namespace morvik
