#include "scan/unfold.h"

namespace morvik {

bool FoldsContentLines(std::string_view type, std::string_view subtype) {
  if (!EqualsIgnoringAsciiCase(type, "text")) return false;
  for (const std::string_view folding :
       {"calendar", "x-vcalendar", "vcard", "x-vcard", "directory"}) {
    if (EqualsIgnoringAsciiCase(subtype, folding)) return true;
  }
  return false;
}

Text UnfoldContentLines(std::string_view text) {
  Text unfolded;
  unfolded.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t line_break = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n'
                                       ? 2
                                       : (text[at] == '\n' ? 1 : 0);
    const std::size_t next = at + line_break;
    if (line_break > 0 && next < text.size() && (text[next] == ' ' || text[next] == '\t')) {
      at = next;  // the loop steps over the space or tab
      continue;
    }
    unfolded += text[at];
  }
  return unfolded;
}

}  // namespace morvik
