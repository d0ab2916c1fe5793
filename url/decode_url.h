#pragma once
// From the text of the URL box to the host text the window shows.

#include <string_view>

#include "support/text.h"

namespace morvik {

// Drops the scheme and a decoy "user@" part, decodes percent-escapes and
// rewrites a host written as one decimal number as dotted text. The port,
// path and query stay.
Text DecodeUrl(std::string_view url);

// Decodes percent-escapes until none is left, in linear time; decoded
// characters take part again ("%2541" gives "A", "%4%41" gives "J").
Text DecodePercentEscapes(std::string_view text);

}  // namespace morvik
