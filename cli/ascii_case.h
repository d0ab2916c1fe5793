#pragma once
// Host names and schemes compare without regard to ASCII case; bytes outside
// A-Z (UTF-8 included) are kept as they are.

#include <string_view>

#include "support/text.h"

namespace morvik {

inline Text AsciiLowerCase(std::string_view text) {
  Text lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lower;
}

}  // namespace morvik
