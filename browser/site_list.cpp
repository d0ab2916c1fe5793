#include "browser/site_list.h"

#include <optional>

#include "browser/idna.h"
#include "support/text.h"

namespace morvik {
namespace {

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Labels of letters, digits and inner hyphens, at least two of them, the
// last not a number (that would be an address).
bool IsDomainName(std::string_view ascii) {
  std::size_t labels = 0;
  bool last_is_number = false;
  for (std::size_t start = 0; start <= ascii.size();) {
    std::size_t end = ascii.find('.', start);
    if (end == std::string_view::npos) end = ascii.size();
    const std::string_view label = ascii.substr(start, end - start);
    if (label.empty() || label.size() > 63 || !IsLetterOrDigit(label.front()) ||
        !IsLetterOrDigit(label.back())) {
      return false;
    }
    last_is_number = true;
    for (const char c : label) {
      if (!IsLetterOrDigit(c) && c != '-') return false;
      last_is_number = last_is_number && c >= '0' && c <= '9';
    }
    ++labels;
    start = end + 1;
  }
  return labels >= 2 && !last_is_number && ascii.size() <= 253;
}

// The entry of one line, without comment and blanks; "" for none.
std::string_view Entry(std::string_view line) {
  line = line.substr(0, line.find('#'));
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  if (!line.empty() && line.back() == '.') line.remove_suffix(1);
  return line;
}

// The two forms of a name, or an error message.
std::optional<ListedSite> BothForms(std::string_view entry, Text& error) {
  ListedSite site;
  if (IsAscii(entry) && entry.find("xn--") == std::string_view::npos &&
      entry.find("XN--") == std::string_view::npos) {
    site.ascii = AsciiLowerCase(entry);
    site.unicode = site.ascii;
  } else {
    IdnaResult ascii = DomainToAscii(Text(entry));
    if (!ascii.ok) {
      error = "'" + Text(entry) + "' is refused by IDNA: " + ascii.error;
      return std::nullopt;
    }
    IdnaResult unicode = DomainToUnicode(ascii.text);
    site.ascii = std::move(ascii.text);
    site.unicode = unicode.ok ? std::move(unicode.text) : site.ascii;
  }
  if (!IsDomainName(site.ascii)) {
    error = "'" + Text(entry) + "' is not a domain name";
    return std::nullopt;
  }
  return site;
}

}  // namespace

SiteList ReadSiteList(std::string_view text) {
  SiteList list;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view entry = Entry(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (entry.empty()) continue;
    std::optional<ListedSite> site = BothForms(entry, list.error);
    if (!site) {
      list.sites.clear();
      list.bad_line = number;
      return list;
    }
    list.sites.push_back(std::move(*site));
  }
  return list;
}

}  // namespace morvik
