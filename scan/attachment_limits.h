#pragma once
// How far `scan` goes into a PDF or an image before it stops: every one of
// these is named in --help, and every stop is reported with the document.

#include <cstddef>
#include <cstdint>

#include "support/text.h"

namespace morvik {

struct AttachmentLimits {
  // A PDF or image part once its transfer encoding is undone.
  std::size_t largest_attachment = std::size_t{32} * 1024 * 1024;
  int most_pages = 100;          // pages read for links and text
  int most_rendered_pages = 10;  // pages rendered to look for QR codes
  // An image once decoded, or a page once rendered; a rendered page is drawn
  // smaller to fit.
  std::int64_t most_pixels = std::int64_t{25} * 1000 * 1000;
  // The time spent rendering one PDF's pages; no page is started after it.
  double most_render_seconds = 10.0;
  // One PDF's text layer, all pages together.
  std::size_t largest_pdf_text = std::size_t{16} * 1024 * 1024;
};

// One line for each limit, "  pages         100 a PDF read for links, ...",
// as --help shows them.
Text DescribeAttachmentLimits(const AttachmentLimits& limits);

}  // namespace morvik
