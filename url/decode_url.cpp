#include "url/decode_url.h"

#include <algorithm>

#include "ipv4/notation.h"

namespace morvik {
namespace {

// An empty text counts: an empty host reads as the number 0.
bool IsAllDecimalDigits(const Text& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The text after the first occurrence of `marker`, or `text` itself when the
// marker does not occur.
Text TextAfter(const Text& text, const Text& marker) {
  const Position found = FindText(1, text, marker);
  if (found == 0) return text;
  return TextSlice(text, found + TextLength(marker), TextLength(text));
}

// A host made of decimal digits only, followed by a slash or backslash, is an
// address written as one number (http://3232235777/). A number with nothing
// after it, or with a port, is left alone.
Text RewriteNumericHost(const Text& text) {
  const Position host_end = FindAnyOf(1, text, "/\\");
  if (host_end == 0) return text;
  const Text host = TextSlice(text, 1, host_end - 1);
  if (!IsAllDecimalDigits(host)) return text;
  return DecimalToDotted(host) + TextSlice(text, host_end, TextLength(text));
}

}  // namespace

Text DecodeUrl(const Text& url) {
  // The order matters: an "@" or "://" that only appears once escapes are
  // decoded (%40) stays, while a decoded slash (%2F) does end the host.
  Text text = TextAfter(url, "://");
  text = TextAfter(text, ":\\\\");
  text = TextAfter(text, "@");
  text = DecodePercentEscapes(text);
  return RewriteNumericHost(text);
}

}  // namespace morvik
