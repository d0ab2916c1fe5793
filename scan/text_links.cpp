#include "scan/text_links.h"

#include <algorithm>

#include "browser/reading.h"
#include "support/refang.h"
#include "support/text.h"

namespace morvik {
namespace {

bool EndsToken(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '<' ||
         c == '>' || c == '"' || c == '`';
}

// Where in the token a URL starts, or npos: at the scheme before a "://"
// (or "[://]"), else at "www." or a defanged host at the token's start.
std::size_t UrlStart(std::string_view token) {
  std::size_t marker = token.find("://");
  const std::size_t bracketed = token.find("[://]");
  if (bracketed != std::string_view::npos && bracketed < marker) marker = bracketed;
  if (marker != std::string_view::npos && marker > 0) {
    std::size_t start = marker;
    while (start > 0 && IsSchemeCharacter(token[start - 1])) --start;
    // The scheme starts with a letter; a "(" or "." before it is punctuation.
    while (start < marker && !IsAsciiLetter(token[start])) ++start;
    if (start < marker) return start;
  }
  std::size_t start = 0;
  while (start < token.size() && (token[start] == '(' || token[start] == '[' ||
                                  token[start] == '{' || token[start] == '\'')) {
    // "[.]" inside a defanged host is no opening bracket.
    if (token.substr(start).starts_with("[.]")) break;
    ++start;
  }
  const std::string_view rest = token.substr(start);
  if (StartsWithIgnoringAsciiCase(rest, "www.") || StartsWithIgnoringAsciiCase(rest, "www[.]"))
    return start;
  if (HasDefangMarker(rest) && Refang(rest).find('.') != Text::npos) return start;
  return std::string_view::npos;
}

// Without the punctuation that ends a sentence, and without closing
// brackets that the URL did not open ("(see http://x.example/a)").
std::string_view TrimEnd(std::string_view url) {
  constexpr std::string_view kOpening = "([{";
  constexpr std::string_view kClosing = ")]}";
  std::ptrdiff_t unopened[3] = {};  // closing brackets without an opening one, per kind
  for (std::size_t kind = 0; kind < 3; ++kind) {
    unopened[kind] = std::count(url.begin(), url.end(), kClosing[kind]) -
                     std::count(url.begin(), url.end(), kOpening[kind]);
  }
  while (!url.empty()) {
    const char last = url.back();
    const std::size_t kind = kClosing.find(last);
    if (kind != std::string_view::npos && unopened[kind] > 0) {
      unopened[kind] -= 1;
    } else if (std::string_view(".,;:!?'").find(last) == std::string_view::npos) {
      break;
    }
    url.remove_suffix(1);
  }
  return url;
}

}  // namespace

void FindTextLinks(std::string_view text, std::string_view part, std::vector<FoundLink>& links) {
  std::int64_t line = 1;
  std::size_t counted_to = 0;  // line breaks before this offset are in `line`
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && EndsToken(text[at])) ++at;
    const std::size_t token_start = at;
    while (at < text.size() && !EndsToken(text[at])) ++at;
    const std::string_view token = text.substr(token_start, at - token_start);
    const std::size_t start = token.empty() ? std::string_view::npos : UrlStart(token);
    if (start == std::string_view::npos) continue;
    const std::string_view written = TrimEnd(token.substr(start));
    Text url = Refang(written);
    if (url.size() < 4 || url.find('.') == Text::npos) continue;
    const std::size_t offset = token_start + start;
    line += std::count(text.begin() + static_cast<std::ptrdiff_t>(counted_to),
                       text.begin() + static_cast<std::ptrdiff_t>(offset),
                       '\n');
    counted_to = offset;
    FoundLink link;
    link.part = Text(part);
    link.element = "text";
    link.line = line;
    link.offset = static_cast<std::int64_t>(offset);
    link.shown = Text(written);
    link.url = std::move(url);
    links.push_back(std::move(link));
  }
}

}  // namespace morvik
