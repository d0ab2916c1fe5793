#include "scan/pdf_links.h"

#include <poppler.h>

#include <algorithm>
#include <chrono>

#include "scan/glib_owned.h"
#include "scan/pdf_page_image.h"
#include "scan/qr_codes.h"
#include "scan/qr_payload.h"
#include "scan/reader_availability.h"
#include "scan/text_links.h"

namespace morvik {
namespace {

constexpr std::string_view kSpace = " \t\r\n\f";

// The text under a link, its lines and runs of white space made one space.
Text OneLine(std::string_view text) {
  Text line;
  for (const char c : text) {
    if (kSpace.find(c) == std::string_view::npos) {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

struct LinkMappingFree {
  void operator()(GList* list) const { poppler_page_free_link_mapping(list); }
};

class PdfReader {
 public:
  PdfReader(std::string_view part, const AttachmentLimits& limits, std::vector<FoundLink>& links,
            std::vector<Text>& problems)
      : part_(part), limits_(limits), links_(links), problems_(problems) {}

  void Read(PopplerDocument* document) {
    const int pages = poppler_document_get_n_pages(document);
    if (pages > limits_.most_pages) {
      problems_.push_back("PDF of " + std::to_string(pages) + " pages; only the first " +
                          std::to_string(limits_.most_pages) + " scanned");
    }
    const int read = std::min(pages, limits_.most_pages);
    for (int index = 0; index < read; ++index) {
      const GOwned<PopplerPage> page(poppler_document_get_page(document, index));
      if (!page) continue;
      const std::int64_t number = index + 1;
      ReadAnnotations(page.get(), number);
      ReadText(page.get(), number);
      if (index < limits_.most_rendered_pages) ReadCodes(page.get(), number);
    }
  }

 private:
  void ReadAnnotations(PopplerPage* page, std::int64_t number) {
    double width = 0;
    double height = 0;
    poppler_page_get_size(page, &width, &height);
    const std::unique_ptr<GList, LinkMappingFree> mapping(poppler_page_get_link_mapping(page));
    std::vector<FoundLink> found;
    for (GList* item = mapping.get(); item != nullptr; item = item->next) {
      const auto* link = static_cast<const PopplerLinkMapping*>(item->data);
      const PopplerAction* action = link->action;
      if (action == nullptr || action->type != POPPLER_ACTION_URI || action->uri.uri == nullptr)
        continue;
      // Link areas are in PDF space, upwards from the bottom; text areas are
      // downwards from the top.
      PopplerRectangle area = link->area;
      area.y1 = height - link->area.y2;
      area.y2 = height - link->area.y1;
      const GChars under(poppler_page_get_text_for_area(page, &area));
      FoundLink found_link;
      found_link.part = Text(part_);
      found_link.element = "pdf-link";
      found_link.line = number;
      found_link.shown = under ? OneLine(under.get()) : Text();
      found_link.url = OneLine(action->uri.uri);
      if (!found_link.url.empty()) found.push_back(std::move(found_link));
    }
    // poppler lists a page's links last first.
    links_.insert(links_.end(),
                  std::make_move_iterator(found.rbegin()),
                  std::make_move_iterator(found.rend()));
  }

  void ReadText(PopplerPage* page, std::int64_t number) {
    if (text_read_ > limits_.largest_pdf_text) return;
    const GChars text(poppler_page_get_text(page));
    if (!text) return;
    const std::string_view page_text(text.get());
    text_read_ += page_text.size();
    if (text_read_ > limits_.largest_pdf_text) {
      problems_.push_back("PDF text over " + std::to_string(limits_.largest_pdf_text >> 20) +
                          " MiB; the text of page " + std::to_string(number) +
                          " and after not scanned");
      return;
    }
    const std::size_t first = links_.size();
    FindTextLinks(page_text, part_, links_);
    for (std::size_t i = first; i < links_.size(); ++i) {
      links_[i].element = "pdf-text";
      links_[i].line = number;
    }
  }

  void ReadCodes(PopplerPage* page, std::int64_t number) {
    if (!BuildReadsQrCodes() || render_stopped_) return;
    const auto start = std::chrono::steady_clock::now();
    const GrayImage image = RenderPage(page, limits_.most_pixels);
    render_seconds_ +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const Text& payload : FindQrPayloads(image)) AddQrPayload(payload, part_, number, links_);
    if (render_seconds_ > limits_.most_render_seconds) {
      render_stopped_ = true;
      problems_.push_back(
          "PDF rendering over " + std::to_string(static_cast<int>(limits_.most_render_seconds)) +
          " s; pages after " + std::to_string(number) + " not searched for QR codes");
    }
  }

  std::string_view part_;
  const AttachmentLimits& limits_;
  std::vector<FoundLink>& links_;
  std::vector<Text>& problems_;
  std::size_t text_read_ = 0;
  double render_seconds_ = 0;
  bool render_stopped_ = false;
};

Text OpeningProblem(const GError* error) {
  if (error != nullptr && error->domain == POPPLER_ERROR && error->code == POPPLER_ERROR_ENCRYPTED)
    return "PDF encrypted (it needs a password); not scanned";
  Text problem = "PDF damaged";
  if (error != nullptr && error->message != nullptr) problem += Text(" (") + error->message + ")";
  return problem + "; not scanned";
}

}  // namespace

bool BuildReadsPdf() { return true; }

// Under LeakSanitizer (the sanitizer builds and fuzz targets): the font
// configuration poppler loads once and keeps for the life of the process is
// never freed by fontconfig, and is no leak of this program's.
#if defined(__SANITIZE_ADDRESS__)
#define MORVIK_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVIK_LEAK_CHECKED 1
#endif
#endif
#ifdef MORVIK_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

void FindPdfLinks(std::string_view bytes, std::string_view part, const AttachmentLimits& limits,
                  std::vector<FoundLink>& links, std::vector<Text>& problems) {
  // The bytes are the caller's and outlive the document: poppler reads them
  // where they are.
  const GBytesOwned data(g_bytes_new_static(bytes.data(), bytes.size()));
  GError* raw_error = nullptr;
  const GOwned<PopplerDocument> document(
      poppler_document_new_from_bytes(data.get(), nullptr, &raw_error));
  const GErrorOwned error(raw_error);
  if (!document) {
    problems.push_back(OpeningProblem(error.get()));
    return;
  }
  PdfReader(part, limits, links, problems).Read(document.get());
}

}  // namespace morvik
