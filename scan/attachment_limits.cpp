#include "scan/attachment_limits.h"

#include <string>

namespace morvik {

Text DescribeAttachmentLimits(const AttachmentLimits& limits) {
  return "  decoded size  " + std::to_string(limits.largest_attachment >> 20) +
         " MiB a PDF or image, its transfer encoding undone\n"
         "  pages         " +
         std::to_string(limits.most_pages) + " a PDF read for links, the first " +
         std::to_string(limits.most_rendered_pages) +
         " rendered for QR codes\n"
         "  render time   " +
         std::to_string(static_cast<int>(limits.most_render_seconds)) +
         " s a PDF; no page is started after it\n"
         "  pixels        " +
         std::to_string(limits.most_pixels / 1000000) +
         " megapixels an image or rendered page (larger pages\n"
         "                are drawn smaller)\n"
         "  text          " +
         std::to_string(limits.largest_pdf_text >> 20) + " MiB of a PDF's text layer\n";
}

}  // namespace morvik
