#include "url/decode_url.h"

#include <utility>

#include "ipv4/notation.h"

namespace morvik {
namespace {

// Whether `marker` (two bytes) follows the byte at `at`.
bool FollowedBy(std::string_view url, std::size_t at, const char (&marker)[3]) {
  return at + 2 < url.size() && url[at + 1] == marker[0] && url[at + 2] == marker[1];
}

// Where the host of RewriteNumericHost ends: the digits up to the first
// other character, which must be a slash or backslash. None at all count too:
// an empty host reads as the number 0.
std::optional<std::size_t> NumericHostEnd(std::string_view text) {
  std::size_t host_end = 0;
  while (host_end < text.size() && IsAsciiDigit(text[host_end])) ++host_end;
  if (host_end == text.size() || (text[host_end] != '/' && text[host_end] != '\\')) {
    return std::nullopt;
  }
  return host_end;
}

// RewriteNumericHost on `text` itself: the rest of the text, however long,
// is not copied again. False when the host is not a number.
bool RewriteNumericHostInPlace(Text& text) {
  const std::optional<std::size_t> host_end = NumericHostEnd(text);
  if (!host_end) return false;
  text.replace(0, *host_end, DecimalToDotted(text.substr(0, *host_end)));
  return true;
}

}  // namespace

std::size_t UrlCuts::rest() const {
  if (after_user != kNoCut) return after_user;
  if (after_backslash_scheme != kNoCut) return after_backslash_scheme;
  if (after_scheme != kNoCut) return after_scheme;
  return 0;
}

UrlCuts CutUrl(std::string_view url) {
  // The order matters: an "@" or "://" that only appears once escapes are
  // decoded (%40) stays, while a decoded slash (%2F) does end the host.
  //
  // Both scheme markers start with a colon, so one walk over the colons finds
  // them. A ":\\" counts only after the "://" cut: one seen before it is
  // dropped when the "://" turns up.
  UrlCuts cuts;
  constexpr std::size_t kNone = std::string_view::npos;
  for (std::size_t colon = url.find(':'); colon != kNone; colon = url.find(':', colon + 1)) {
    if (cuts.after_scheme == UrlCuts::kNoCut && FollowedBy(url, colon, "//")) {
      cuts.after_scheme = colon + 3;
      cuts.after_backslash_scheme = UrlCuts::kNoCut;
    } else if (cuts.after_backslash_scheme == UrlCuts::kNoCut && FollowedBy(url, colon, "\\\\")) {
      cuts.after_backslash_scheme = colon + 3;
      if (cuts.after_scheme != UrlCuts::kNoCut) break;  // nothing later changes a cut
    }
  }
  const std::size_t at_sign = url.find('@', cuts.rest());
  if (at_sign != kNone) cuts.after_user = at_sign + 1;
  return cuts;
}

UrlReading ReadUrl(std::string_view url, Text room) {
  const UrlCuts cuts = CutUrl(url);
  UrlReading reading{.cuts = cuts,
                     .host_text = DecodePercentEscapes(url.substr(cuts.rest()), std::move(room))};
  RewriteNumericHostInPlace(reading.host_text);
  return reading;
}

std::optional<Text> RewriteNumericHost(std::string_view text) {
  if (!NumericHostEnd(text)) return std::nullopt;  // no copy of a text that stays
  Text rewritten(text);
  if (!RewriteNumericHostInPlace(rewritten)) return std::nullopt;
  return rewritten;
}

Text DecodeUrl(std::string_view url) { return ReadUrl(url).host_text; }

}  // namespace morvik
