// A build without poppler: a PDF is named and left unread, and scan says so
// (see reader_availability.h).

#include "scan/pdf_links.h"
#include "scan/reader_availability.h"

namespace morvik {

bool BuildReadsPdf() { return false; }

void FindPdfLinks(std::string_view /*bytes*/, std::string_view /*part*/,
                  const AttachmentLimits& /*limits*/, std::vector<FoundLink>& /*links*/,
                  std::vector<Text>& problems) {
  problems.emplace_back(kNoPdfReader);
}

}  // namespace morvik
