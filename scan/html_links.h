#pragma once
// The links of an HTML page, read by an HTML5 parser (gumbo) as a browser
// would build the page: a[href] with its visible text, area[href] with its
// alt text, form[action], img[src], iframe[src] and the URL of a
// <meta http-equiv="refresh">; relative ones resolved against <base href>,
// "//host/..." read with https: as a mail reader opens it; and URLs written
// in the page's visible text, as in plain text, unless an element already
// links to the same URL. Links that lead to no host (mailto:, tel:, cid:,
// an image's data:, a bare "#fragment") are left out, and so are relative
// links on a page without <base href>: they stay on the page's own site,
// which the page does not name. Script targets (javascript:, data:) are
// kept: a button that runs one is a disguise of its own.

#include <string_view>
#include <vector>

#include "scan/html_depth.h"
#include "scan/link.h"

namespace morvik {

// `html` is UTF-8 (a message part converted to it, or a file taken as it).
// False, with nothing found, when the page may nest elements deeper than
// kDeepestHtmlNesting (see scan_html_depth.h).
bool FindHtmlLinks(std::string_view html, std::string_view part, std::vector<FoundLink>& links);

// The URL in a refresh's content ("5; URL='https://x.example/'"), or ""
// when it names none.
std::string_view RefreshUrl(std::string_view content);

}  // namespace morvik
