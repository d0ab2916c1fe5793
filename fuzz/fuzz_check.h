#pragma once
// Stops a fuzz target at the first broken property, saying which one and on
// what texts; libFuzzer then keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

#include "support/text.h"

namespace morvik::fuzz {

// The text with every byte outside printable ASCII, and the quote and
// backslash, written as a C escape.
inline Text Printable(const Text& text) {
  Text out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    }
  }
  return out + "\"";
}

[[noreturn]] inline void Broken(const char* property, const Text& input, const Text& detail) {
  std::fprintf(stderr,
               "\nproperty broken: %s\n  input  %s\n  %s\n",
               property,
               Printable(input).c_str(),
               detail.c_str());
  std::abort();
}

inline void Require(bool holds, const char* property, const Text& input, const Text& detail = "") {
  if (!holds) Broken(property, input, detail);
}

inline void RequireEqual(const Text& actual, const Text& expected, const char* property,
                         const Text& input) {
  if (actual != expected) {
    Broken(property, input, "got " + Printable(actual) + "\n  want " + Printable(expected));
  }
}

}  // namespace morvik::fuzz
