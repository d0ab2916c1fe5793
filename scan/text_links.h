#pragma once
// URLs in running text: live ones (http://, https://, ftp://, www.) and
// defanged ones (hxxp://, evil[.]example, ...), as analysts paste them into
// mails and lists of indicators.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scan/link.h"

namespace morvik {

// Where a text starts in its part: a text node of a page starts on some
// line, some bytes in.
struct TextPlace {
  std::int64_t line = 1;
  std::int64_t offset = 0;
};

// Appends each URL in `text` with its line and byte offset; the shown text
// is the URL as written, the URL its refanged form (the --refang rules).
// A URL ends where a reader's eye ends it: at white space, at Markdown's
// "](" between a link's text and its target, at an escaped "\n"; a scheme
// glued to the word before it ("below.https://") starts a URL of its own.
void FindTextLinks(std::string_view text, std::string_view part, std::vector<FoundLink>& links,
                   const TextPlace& place = {});

}  // namespace morvik
