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

// The schemes a URL in running text is written with; one glued to the
// word before it ("below.https://") starts where its name does.
constexpr std::string_view kTextSchemes[] = {"https", "http", "hxxps", "hxxp", "ftp"};

std::size_t SchemeStartInWord(std::string_view word) {
  for (const std::string_view scheme : kTextSchemes) {
    if (word.size() > scheme.size() &&
        EqualsIgnoringAsciiCase(word.substr(word.size() - scheme.size()), scheme)) {
      return word.size() - scheme.size();
    }
  }
  return 0;
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
    if (start < marker) return start + SchemeStartInWord(token.substr(start, marker - start));
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

// Where a URL that starts the text ends within its token: before Markdown's
// "](" or ")[" between a link's text and its target, and before an escaped
// line break or tab written out as "\n", "\r", "\t" (JSON, calendar
// descriptions).
std::size_t UrlEnd(std::string_view url) {
  std::size_t end = url.size();
  for (const std::string_view boundary : {"](", ")[", "\\n", "\\r", "\\t"}) {
    end = std::min(end, url.find(boundary, 1));
  }
  return end;
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

void FindTextLinks(std::string_view text, std::string_view part, std::vector<FoundLink>& links,
                   const TextPlace& place) {
  std::int64_t line = place.line;
  std::size_t counted_to = 0;  // line breaks before this offset are in `line`
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && EndsToken(text[at])) ++at;
    const std::size_t token_start = at;
    while (at < text.size() && !EndsToken(text[at])) ++at;
    // A token may hold several URLs, one after another (Markdown).
    for (std::size_t from = token_start; from < at;) {
      const std::string_view rest = text.substr(from, at - from);
      const std::size_t start = UrlStart(rest);
      if (start == std::string_view::npos) break;
      const std::size_t end = start + UrlEnd(rest.substr(start));
      const std::size_t offset = from + start;
      from += std::max(end, start + 1);
      const std::string_view written = TrimEnd(rest.substr(start, end - start));
      Text url = Refang(written);
      if (url.size() < 4 || url.find('.') == Text::npos) continue;
      line += std::count(text.begin() + static_cast<std::ptrdiff_t>(counted_to),
                         text.begin() + static_cast<std::ptrdiff_t>(offset),
                         '\n');
      counted_to = offset;
      FoundLink link;
      link.part = Text(part);
      link.element = "text";
      link.line = line;
      link.offset = place.offset + static_cast<std::int64_t>(offset);
      link.shown = Text(written);
      link.url = std::move(url);
      links.push_back(std::move(link));
    }
  }
}

}  // namespace morvik
