// PDF reading: whatever the bytes, poppler's reading ends within the limits,
// and every row it gives is a link of the PDF's kinds, on a page that was
// read, with a URL, or a QR code's payload with what it holds.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "scan/pdf_links.h"

namespace morvik::fuzz {
namespace {

void CheckPdf(std::string_view bytes) {
  AttachmentLimits limits;
  limits.most_pages = 4;
  limits.most_rendered_pages = 2;
  limits.most_pixels = std::int64_t{1000} * 1000;  // small pages keep the runs fast
  limits.most_render_seconds = 2;
  std::vector<FoundLink> links;
  std::vector<Text> problems;
  FindPdfLinks(bytes, "1", limits, links, problems);
  const Text input(bytes);
  for (const FoundLink& link : links) {
    Require(link.element == "pdf-link" || link.element == "pdf-text" || link.element == "qr",
            "a PDF gives PDF links and QR codes",
            input,
            Text(link.element));
    Require(link.line >= 1 && link.line <= limits.most_pages,
            "a link is on a page that was read",
            input,
            std::to_string(link.line));
    Require(link.part == "1", "a link keeps its part", input);
    Require(link.payload_kind != nullptr ? link.url.empty() : !link.url.empty(),
            "a row has a URL or says what its code holds",
            input,
            link.url);
  }
  for (const Text& problem : problems) Require(!problem.empty(), "a problem is said", input);
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckPdf(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
