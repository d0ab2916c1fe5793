#pragma once
// The links of a PDF, read with poppler from memory: link annotations
// ("pdf-link", with the text under them as the shown text), URLs in the text
// layer as running text would cut them ("pdf-text"), and QR codes on the
// pages rendered at a modest resolution ("qr"); the line of each is its
// page. Nothing in the document is run or fetched: poppler only parses and
// draws, JavaScript and form actions are never started, and of the link
// actions only web addresses are read, as text.

#include <string_view>
#include <vector>

#include "scan/attachment_limits.h"
#include "scan/link.h"

namespace morvik {

// Appends the links found; `problems` receives what could not be read
// ("PDF encrypted; not scanned"), phrases that name no document.
void FindPdfLinks(std::string_view bytes, std::string_view part, const AttachmentLimits& limits,
                  std::vector<FoundLink>& links, std::vector<Text>& problems);

}  // namespace morvik
