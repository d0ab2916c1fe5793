#include "scan/html_images.h"

#include <glib.h>
#include <gumbo.h>

#include <memory>
#include <optional>

#include "browser/host.h"
#include "scan/attachment.h"
#include "scan/html_depth.h"
#include "support/text.h"

namespace morvik {
namespace {

struct OutputDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};

bool ContainsDataUrl(std::string_view html) {
  for (std::size_t at = html.find(':'); at != std::string_view::npos; at = html.find(':', at + 1)) {
    if (at >= 4 && StartsWithIgnoringAsciiCase(html.substr(at - 4), "data:")) return true;
  }
  return false;
}

}  // namespace

std::optional<Text> DataUrlBytes(std::string_view url) {
  url = TrimAsciiWhitespace(url);
  if (!StartsWithIgnoringAsciiCase(url, "data:")) return std::nullopt;
  const std::size_t comma = url.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view header = url.substr(5, comma - 5);
  const std::string_view data = url.substr(comma + 1);
  const bool base64 =
      header.size() >= 7 && AsciiLowerCase(header.substr(header.size() - 7)) == ";base64";
  if (!base64) return PercentDecodeOnce(data);
  // GLib's decoder passes over what is no base64 (white space, line breaks).
  Text bytes(data);
  gsize length = 0;
  g_base64_decode_inplace(bytes.data(), &length);
  bytes.resize(length);
  return bytes;
}

void FindHtmlImageCodes(std::string_view html, std::string_view part,
                        const AttachmentLimits& limits, std::vector<FoundLink>& links,
                        std::vector<Text>& problems) {
  if (!ContainsDataUrl(html) || NestingBound(html) > kDeepestHtmlNesting) return;
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  const std::unique_ptr<GumboOutput, OutputDeleter> output(
      gumbo_parse_with_options(&options, html.data(), html.size()));
  if (!output) return;
  const Text place = DocumentPlace(part, "");
  std::vector<const GumboNode*> pending = {output->root};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
    const GumboElement& element = node->v.element;
    if (element.tag == GUMBO_TAG_IMG) {
      const GumboAttribute* src = gumbo_get_attribute(&element.attributes, "src");
      const std::optional<Text> bytes = src != nullptr ? DataUrlBytes(src->value) : std::nullopt;
      if (bytes && bytes->size() > limits.largest_attachment) {
        problems.push_back(place + "data: image larger than " +
                           std::to_string(limits.largest_attachment >> 20) + " MiB; not scanned");
      } else if (bytes) {
        ScanImage(*bytes, part, element.start_pos.line, place, limits, links, problems);
      }
    }
    for (unsigned i = element.children.length; i > 0; --i) {
      pending.push_back(static_cast<const GumboNode*>(element.children.data[i - 1]));
    }
  }
}

}  // namespace morvik
