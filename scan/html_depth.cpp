#include "scan/html_depth.h"

#include <algorithm>
#include <vector>

#include "support/text.h"

namespace morvik {
namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that hold nothing.
bool IsEmptyElement(std::string_view name) {
  return IsOneOf(name,
                 {"area",
                  "base",
                  "br",
                  "col",
                  "embed",
                  "hr",
                  "img",
                  "input",
                  "link",
                  "meta",
                  "param",
                  "source",
                  "track",
                  "wbr",
                  "keygen",
                  "basefont",
                  "bgsound",
                  "frame"});
}

// Elements whose end tag may be left out: a second one closes the first.
bool ClosesItsLike(std::string_view name) {
  return IsOneOf(name,
                 {"p",
                  "li",
                  "dt",
                  "dd",
                  "option",
                  "optgroup",
                  "tr",
                  "td",
                  "th",
                  "tbody",
                  "thead",
                  "tfoot",
                  "rb",
                  "rt",
                  "rp",
                  "rtc"});
}

// Elements whose text is not read for tags.
bool HoldsRawText(std::string_view name) {
  return IsOneOf(name, {"script", "style", "textarea", "title", "xmp", "plaintext"});
}

// HTML elements that end an svg or math element around them.
bool LeavesForeignContent(std::string_view name) {
  return IsOneOf(
      name, {"b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
             "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
             "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
             "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
             "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var",  "font"});
}

bool EndsName(char c) {
  return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Where the end tag of a raw-text element starts, or npos.
std::size_t FindEndTag(std::string_view html, std::size_t from, std::string_view name) {
  for (std::size_t at = html.find("</", from); at != std::string_view::npos;
       at = html.find("</", at + 2)) {
    if (AsciiLowerCase(html.substr(at + 2, name.size())) == name) return at;
  }
  return std::string_view::npos;
}

}  // namespace

int NestingBound(std::string_view html, int limit) {
  std::vector<Text> open;   // the elements counted as open, innermost last
  std::size_t foreign = 0;  // how many of them are svg or math
  int deepest = 0;
  std::size_t at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.substr(at).starts_with("<!--")) {
      const std::size_t end = html.find("-->", at + 4);
      if (end == std::string_view::npos) break;
      at = end + 3;
      continue;
    }
    const bool closing = html.substr(at).starts_with("</");
    const std::size_t name_start = at + (closing ? 2 : 1);
    if (name_start >= html.size() || !IsAsciiLetter(html[name_start])) {
      ++at;
      continue;
    }
    std::size_t name_end = name_start;
    while (name_end < html.size() && !EndsName(html[name_end])) ++name_end;
    const Text name = AsciiLowerCase(html.substr(name_start, name_end - name_start));
    const std::size_t tag_end = html.find('>', name_end);
    if (tag_end == std::string_view::npos) break;
    at = tag_end + 1;
    if (closing) {
      if (!open.empty() && open.back() == name) {
        foreign -= name == "svg" || name == "math" ? 1 : 0;
        open.pop_back();
      }
      continue;
    }
    if (foreign > 0 && LeavesForeignContent(name)) {
      // The parser leaves the svg or math element for this one.
      while (foreign > 0) {
        foreign -= open.back() == "svg" || open.back() == "math" ? 1 : 0;
        open.pop_back();
      }
    }
    const bool self_closed = foreign > 0 && html[tag_end - 1] == '/';
    if (IsEmptyElement(name) || ClosesItsLike(name) || self_closed) continue;
    foreign += name == "svg" || name == "math" ? 1 : 0;
    open.push_back(name);
    deepest = std::max(deepest, static_cast<int>(open.size()));
    if (deepest > limit) break;
    if (HoldsRawText(name)) {
      const std::size_t end = FindEndTag(html, at, name);
      if (end == std::string_view::npos) break;
      at = end;
    }
  }
  return deepest;
}

}  // namespace morvik
