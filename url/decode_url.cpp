#include "url/decode_url.h"

#include <algorithm>

#include "ipv4/notation.h"

namespace morvik {
namespace {

// The offset of the text after the first `marker` at or after `from`, or
// UrlCuts::kNoCut.
std::size_t CutAfter(std::string_view url, std::size_t from, std::string_view marker) {
  const std::size_t found = url.find(marker, from);
  return found == std::string_view::npos ? UrlCuts::kNoCut : found + marker.size();
}

}  // namespace

std::size_t UrlCuts::rest() const {
  for (const std::size_t cut : {after_user, after_backslash_scheme, after_scheme}) {
    if (cut != kNoCut) return cut;
  }
  return 0;
}

UrlCuts CutUrl(std::string_view url) {
  // The order matters: an "@" or "://" that only appears once escapes are
  // decoded (%40) stays, while a decoded slash (%2F) does end the host.
  UrlCuts cuts;
  cuts.after_scheme = CutAfter(url, 0, "://");
  cuts.after_backslash_scheme = CutAfter(url, cuts.rest(), ":\\\\");
  cuts.after_user = CutAfter(url, cuts.rest(), "@");
  return cuts;
}

UrlReading ReadUrl(std::string_view url) {
  UrlReading reading{.cuts = CutUrl(url), .host_text = {}};
  reading.host_text = DecodePercentEscapes(url.substr(reading.cuts.rest()));
  if (std::optional<Text> rewritten = RewriteNumericHost(reading.host_text)) {
    reading.host_text = std::move(*rewritten);
  }
  return reading;
}

std::optional<Text> RewriteNumericHost(std::string_view text) {
  // The digits up to the first other character, which must end the host.
  // None at all count too: an empty host reads as the number 0.
  const std::size_t host_end = static_cast<std::size_t>(
      std::find_if(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; }) -
      text.begin());
  if (host_end == text.size() || (text[host_end] != '/' && text[host_end] != '\\')) {
    return std::nullopt;
  }
  Text rewritten = DecimalToDotted(Text(text.substr(0, host_end)));
  rewritten += text.substr(host_end);
  return rewritten;
}

Text DecodeUrl(std::string_view url) { return ReadUrl(url).host_text; }

}  // namespace morvik
