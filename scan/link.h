#pragma once
// One link found by `scan`: where it stands, what the reader is shown, and
// the URL a click would follow.

#include <cstdint>
#include <string_view>

#include "support/text.h"

namespace morvik {

struct FoundLink {
  Text part;  // MIME part path ("1.2"); empty outside a message
  // "a", "area", "form", "img", "iframe", "meta" (refresh), "text"; in a PDF
  // "pdf-link" (a link annotation) and "pdf-text" (a URL in its text); "qr".
  std::string_view element;
  // Within the part's text once decoded to UTF-8 (the whole file for an HTML
  // or text input): the line, from 1, and the byte offset, from 0. In a PDF
  // the line is the page, from 1, and the offset is within that page's text;
  // a QR code in an image of its own has line 0.
  std::int64_t line = 0;
  std::int64_t offset = 0;
  Text shown;  // the visible text of a link; a text URL as written; "" when none
  Text url;    // refanged, and resolved against the page's base
  // A QR code that holds no URL: what it holds ("QR code holds a payment, not
  // a link"); `url` is then empty and `shown` is the payload.
  const char* payload_kind = nullptr;
};

}  // namespace morvik
