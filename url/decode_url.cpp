#include "url/decode_url.h"

#include <algorithm>

#include "ipv4/notation.h"

namespace morvik {
namespace {

// An empty text counts: an empty host reads as the number 0.
bool IsAllDecimalDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The text after the first occurrence of `marker`, or `text` itself when the
// marker does not occur.
std::string_view TextAfter(std::string_view text, std::string_view marker) {
  // The markers are short: find their first byte, then compare the rest in
  // place.
  for (std::size_t found = text.find(marker[0]); found != std::string_view::npos;
       found = text.find(marker[0], found + 1)) {
    const std::string_view candidate = text.substr(found);
    if (candidate.size() >= marker.size() &&
        std::equal(marker.begin() + 1, marker.end(), candidate.begin() + 1)) {
      return candidate.substr(marker.size());
    }
  }
  return text;
}

// A host made of decimal digits only, followed by a slash or backslash, is an
// address written as one number (http://3232235777/). A number with nothing
// after it, or with a port, is left alone.
Text RewriteNumericHost(Text text) {
  const auto host_end =
      std::find_if(text.begin(), text.end(), [](char c) { return c == '/' || c == '\\'; });
  if (host_end == text.end() || !IsAllDecimalDigits({text.begin(), host_end})) return text;
  const std::size_t host_length = static_cast<std::size_t>(host_end - text.begin());
  text.replace(0, host_length, DecimalToDotted(text.substr(0, host_length)));
  return text;
}

}  // namespace

Text DecodeUrl(std::string_view url) {
  // The order matters: an "@" or "://" that only appears once escapes are
  // decoded (%40) stays, while a decoded slash (%2F) does end the host.
  std::string_view text = TextAfter(url, "://");
  text = TextAfter(text, ":\\\\");
  text = TextAfter(text, "@");
  return RewriteNumericHost(DecodePercentEscapes(text));
}

}  // namespace morvik
