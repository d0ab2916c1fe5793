#pragma once
// Taking the host out of the host field's text and turning it into dotted text.

#include <cstddef>
#include <string_view>

#include "support/host_resolver.h"
#include "support/text.h"

namespace morvik {

// Loose test for dotted text: exactly three dots, parts 1-3 round to 0..255,
// part 4 lies strictly between -1 and 256.
bool IsDottedAddress(const Text& text);

// Where the host lies in the host field's text: after the leading blanks, up
// to the first character other than a letter (of either case), a digit, "."
// or "-"; a NUL byte does not end it. HostToDotted looks up this piece,
// upper-cased.
struct HostCut {
  std::size_t start = 0;
  std::size_t length = 0;
};
HostCut CutHost(std::string_view text);

// The host at the start of `text`, unchanged when it is dotted text, else the
// canonical dotted form of the resolver's first address (0.0.0.0 on failure).
Text HostToDotted(const Text& text, const HostResolver& resolver = SystemResolver());

}  // namespace morvik
