#pragma once
// Taking the host out of the host field's text and turning it into dotted text.

#include "support/host_resolver.h"
#include "support/text.h"

namespace morvik {

// Loose test for dotted text: exactly three dots, parts 1-3 round to 0..255,
// part 4 lies strictly between -1 and 256.
bool IsDottedAddress(const Text& text);

// The host at the start of `text`, unchanged when it is dotted text, else the
// canonical dotted form of the resolver's first address (0.0.0.0 on failure).
Text HostToDotted(const Text& text, const HostResolver& resolver = SystemResolver());

}  // namespace morvik
