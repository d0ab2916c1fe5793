#pragma once
// URLs in running text: live ones (http://, https://, ftp://, www.) and
// defanged ones (hxxp://, evil[.]example, ...), as analysts paste them into
// mails and lists of indicators.

#include <string_view>
#include <vector>

#include "scan/link.h"

namespace morvik {

// Appends each URL in `text` with its line and byte offset; the shown text
// is the URL as written, the URL its refanged form (the --refang rules).
void FindTextLinks(std::string_view text, std::string_view part, std::vector<FoundLink>& links);

}  // namespace morvik
