#pragma once
// `convert`: one address in any of the window's three notations, shown in
// all three, converted by the window's own rules (including its quirks:
// loose dotted text, right-aligned short hex, corrections).

#include <optional>
#include <string_view>

#include "support/text.h"

namespace morvik {

enum class Notation { Dotted, Decimal, Hex };

struct Conversion {
  Text input;
  Notation notation = Notation::Decimal;
  Text dotted;  // canonical
  Text decimal;
  Text hex;
  Text note;  // what the window would have corrected or dropped, or ""
};

// Text with a "." is dotted; "0x" or a letter A-F makes it hexadecimal (the
// prefix is a convenience here: the window's hex field does not know it);
// anything else is decimal.
Conversion ConvertAddress(std::string_view input);

// "dotted", "decimal" or "hex", as records name the notation.
const char* NotationName(Notation notation);

}  // namespace morvik
