#pragma once
// How a browser reads a host that "ends in a number": one to four parts, each
// decimal, octal (leading 0) or hexadecimal (0x), the last part filling all
// the bytes the others leave. A host that looks numeric but breaks these rules
// is not a name either: the browser refuses to go anywhere.

#include <cstdint>
#include <optional>
#include <string_view>

#include "support/text.h"

namespace morvik {

// What the parts looked like, so that a disagreement can be explained.
struct BrowserIpv4 {
  std::uint32_t address = 0;
  int parts = 0;
  bool hex_part = false;
  // A part with a leading 0 whose octal value is not what its digits say in
  // decimal (010 is 8; 00 and 07 mean the same either way).
  bool octal_part = false;
  bool trailing_dot = false;  // "1.2.3.4." is still 1.2.3.4
};

// True when the last label (ignoring one trailing dot) is all digits or a
// valid hexadecimal/octal number: such a host must parse as IPv4 or fail.
bool EndsInANumber(std::string_view host);

// The address, or nothing when the host breaks the rules (an empty or
// malformed part, more than four parts, a value out of range).
std::optional<BrowserIpv4> ParseBrowserIpv4(std::string_view host);

}  // namespace morvik
