#include "scan/html_links.h"

#include <gumbo.h>

#include <memory>
#include <unordered_set>
#include <utility>

#include "scan/base_url.h"
#include "scan/html_depth.h"
#include "scan/text_links.h"
#include "support/text.h"

namespace morvik {
namespace {

constexpr std::string_view kWhitespace = " \t\n\r\f";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhitespace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kWhitespace) - first + 1);
}

const char* Attribute(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute != nullptr ? attribute->value : nullptr;
}

// Schemes whose links lead to no host a browser would visit. A script
// (javascript:, or a data: page) leads nowhere either, but a button that
// runs one is itself a disguise: it is kept, except for an image drawn
// from data:, which is only a picture.
bool LeadsNowhere(std::string_view url, std::string_view element) {
  if (url.empty() || url.starts_with('#')) return true;
  const Text scheme = SchemeOf(url);
  if (scheme == "data") return element == "img";
  for (const std::string_view none : {"mailto", "tel", "cid", "about"}) {
    if (scheme == none) return true;
  }
  return false;
}

// Elements whose text a reader never sees as running text: scripts,
// styles, the title bar, and the text of a link, which is its shown text.
bool HidesText(GumboTag tag) {
  return tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TITLE ||
         tag == GUMBO_TAG_TEMPLATE || tag == GUMBO_TAG_A || tag == GUMBO_TAG_TEXTAREA;
}

// The text a reader sees inside an element: its text nodes with runs of
// white space made one space (alt texts of images where there is no text).
Text VisibleText(const GumboNode* root) {
  Text text;
  Text alt;
  std::vector<const GumboNode*> pending = {root};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
        node->type == GUMBO_NODE_CDATA) {
      for (const char c : std::string_view(node->v.text.text)) {
        const bool space = kWhitespace.find(c) != std::string_view::npos;
        if (!space) {
          text += c;
        } else if (!text.empty() && text.back() != ' ') {
          text += ' ';
        }
      }
      continue;
    }
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
    const GumboElement& element = node->v.element;
    if (element.tag == GUMBO_TAG_SCRIPT || element.tag == GUMBO_TAG_STYLE) continue;
    if (element.tag == GUMBO_TAG_IMG && alt.empty()) {
      if (const char* value = Attribute(element, "alt")) alt = Trim(value);
    }
    // Children in reverse, so that they come off the stack in order.
    for (unsigned i = element.children.length; i > 0; --i) {
      pending.push_back(static_cast<const GumboNode*>(element.children.data[i - 1]));
    }
  }
  const std::string_view trimmed = Trim(text);
  return trimmed.empty() ? alt : Text(trimmed);
}

struct RawLink {
  FoundLink link;
  bool relative_to_base = true;
};

class PageWalker {
 public:
  PageWalker(std::string_view part, std::vector<FoundLink>& links) : part_(part), links_(links) {}

  void Walk(const GumboNode* root) {
    // Each node with whether its text is shown as running text.
    std::vector<std::pair<const GumboNode*, bool>> pending = {{root, true}};
    std::vector<FoundLink> in_text;
    while (!pending.empty()) {
      const auto [node, shown] = pending.back();
      pending.pop_back();
      if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_CDATA) {
        if (shown) ReadText(node->v.text, in_text);
        continue;
      }
      if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
      Visit(node);
      const bool children_shown = shown && !HidesText(node->v.element.tag);
      const GumboVector& children = node->v.element.children;
      for (unsigned i = children.length; i > 0; --i) {
        pending.emplace_back(static_cast<const GumboNode*>(children.data[i - 1]), children_shown);
      }
    }
    std::unordered_set<Text> from_elements;
    for (FoundLink& link : found_) {
      link.url = ResolveReference(base_, link.url);
      // A mail reader opens "//host/..." over https.
      if (link.url.starts_with("//")) link.url.insert(0, "https:");
      // Still relative: the link stays on the page's own site, which the
      // page does not name.
      if (SchemeOf(link.url).empty()) continue;
      from_elements.insert(link.url);
      links_.push_back(std::move(link));
    }
    for (FoundLink& link : in_text) {
      if (!from_elements.contains(link.url)) links_.push_back(std::move(link));
    }
  }

 private:
  void Visit(const GumboNode* node) {
    const GumboElement& element = node->v.element;
    switch (element.tag) {
      case GUMBO_TAG_BASE:
        // The first base with an address is the page's.
        if (const char* href = Attribute(element, "href"); href != nullptr && !base_set_) {
          base_ = Trim(href);
          base_set_ = true;
        }
        break;
      case GUMBO_TAG_A: Add(element, "a", Attribute(element, "href"), VisibleText(node)); break;
      case GUMBO_TAG_AREA: {
        const char* alt = Attribute(element, "alt");
        Add(element, "area", Attribute(element, "href"), alt != nullptr ? Text(Trim(alt)) : "");
        break;
      }
      case GUMBO_TAG_FORM: Add(element, "form", Attribute(element, "action"), ""); break;
      case GUMBO_TAG_IMG: Add(element, "img", Attribute(element, "src"), ""); break;
      case GUMBO_TAG_IFRAME: Add(element, "iframe", Attribute(element, "src"), ""); break;
      case GUMBO_TAG_META: {
        const char* equiv = Attribute(element, "http-equiv");
        const char* content = Attribute(element, "content");
        if (equiv != nullptr && content != nullptr && AsciiLowerCase(Trim(equiv)) == "refresh") {
          const Text url(RefreshUrl(content));
          Add(element, "meta", url.c_str(), "");
        }
        break;
      }
      default: break;
    }
  }

  // URLs written in the page's visible text, placed where the text node
  // starts (entities decoded, so a place after one is close, not exact).
  void ReadText(const GumboText& text, std::vector<FoundLink>& in_text) const {
    const TextPlace place{.line = text.start_pos.line, .offset = text.start_pos.offset};
    FindTextLinks(text.text, part_, in_text, place);
  }

  void Add(const GumboElement& element, std::string_view kind, const char* url, Text shown) {
    if (url == nullptr) return;
    const std::string_view trimmed = Trim(url);
    if (LeadsNowhere(trimmed, kind)) return;
    FoundLink link;
    link.part = Text(part_);
    link.element = kind;
    link.line = element.start_pos.line;
    link.offset = element.start_pos.offset;
    link.shown = std::move(shown);
    link.url = Text(trimmed);
    found_.push_back(std::move(link));
  }

  std::string_view part_;
  std::vector<FoundLink>& links_;
  std::vector<FoundLink> found_;
  Text base_;
  bool base_set_ = false;
};

struct OutputDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};

}  // namespace

std::string_view RefreshUrl(std::string_view content) {
  // "5; url=...", "0;URL='...'", or "url=..." alone.
  std::string_view rest = Trim(content);
  std::size_t delay = 0;
  while (delay < rest.size() &&
         ((rest[delay] >= '0' && rest[delay] <= '9') || rest[delay] == '.')) {
    ++delay;
  }
  rest = Trim(rest.substr(delay));
  if (rest.starts_with(';') || rest.starts_with(',')) rest = Trim(rest.substr(1));
  if (rest.size() >= 3 && AsciiLowerCase(rest.substr(0, 3)) == "url") {
    const std::string_view after = Trim(rest.substr(3));
    if (after.starts_with('=')) rest = Trim(after.substr(1));
  }
  if (!rest.empty() && (rest.front() == '\'' || rest.front() == '"')) {
    const char quote = rest.front();
    rest.remove_prefix(1);
    rest = rest.substr(0, rest.find(quote));
  }
  return rest;
}

bool FindHtmlLinks(std::string_view html, std::string_view part, std::vector<FoundLink>& links) {
  if (NestingBound(html) > kDeepestHtmlNesting) return false;
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;  // the parse errors are not used; recording them costs memory
  const std::unique_ptr<GumboOutput, OutputDeleter> output(
      gumbo_parse_with_options(&options, html.data(), html.size()));
  if (!output) return true;
  PageWalker(part, links).Walk(output->root);
  return true;
}

}  // namespace morvik
