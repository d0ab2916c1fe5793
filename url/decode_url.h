#pragma once
// From the text of the URL box to the host text the window shows.

#include <cstddef>
#include <optional>
#include <string_view>

#include "support/text.h"

namespace morvik {

// Where DecodeUrl cuts the URL: each cut drops everything up to and with
// its marker, and each marker is looked for only in what the cut before it
// left. A field is the offset in the URL of the text after that cut, or
// kNoCut when the marker does not occur.
struct UrlCuts {
  static constexpr std::size_t kNoCut = std::string_view::npos;
  std::size_t after_scheme = kNoCut;            // the first "://"
  std::size_t after_backslash_scheme = kNoCut;  // then the first ":\\"
  std::size_t after_user = kNoCut;              // then the first "@"
  // Where the host field's text begins in the URL, before it is decoded.
  std::size_t rest() const;
};

UrlCuts CutUrl(std::string_view url);

// The window's whole reading of a URL: its cuts, and the host text that the
// rest of the URL decodes to.
struct UrlReading {
  UrlCuts cuts;
  Text host_text;
};

// The host text is made in `room`, as DecodePercentEscapes does.
UrlReading ReadUrl(std::string_view url, Text room = {});

// Drops the scheme and a decoy "user@" part, decodes percent-escapes and
// rewrites a host written as one decimal number as dotted text. The port,
// path and query stay. The host text of ReadUrl.
Text DecodeUrl(std::string_view url);

// A host made of decimal digits only, followed by a slash or backslash, is an
// address written as one number (3232235777/): the text with that host
// rewritten as dotted text. Nothing for any other text; a number with
// nothing after it, or with a port, is left alone.
std::optional<Text> RewriteNumericHost(std::string_view text);

// Decodes percent-escapes until none is left, in linear time; decoded
// characters take part again ("%2541" gives "A", "%4%41" gives "J"). The
// result is made in `room` (its contents dropped), so that a caller that
// decodes line after line can lend the same room each time.
Text DecodePercentEscapes(std::string_view text, Text room = {});

}  // namespace morvik
