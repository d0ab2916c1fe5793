#include "scan/shown_host.h"

#include "browser/registrable_domain.h"
#include "scan/base_url.h"
#include "support/refang.h"

namespace morvik {
namespace {

constexpr std::string_view kWrapping = " \t\r\n\f<>\"'()[]";

// A name of dot-separated labels whose last label is letters (or not
// ASCII, as in an internationalised top-level name), or four numbers.
bool LooksLikeHostName(std::string_view host) {
  if (host.find('.') == std::string_view::npos) return false;
  std::size_t labels = 0;
  bool all_numbers = true;
  std::string_view last;
  for (std::size_t start = 0;;) {
    const std::size_t dot = host.find('.', start);
    const std::string_view label = host.substr(start, dot - start);
    if (label.empty()) return false;
    for (const char c : label) {
      const bool ascii_ok = IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-' || c == '_';
      if (!ascii_ok && static_cast<unsigned char>(c) < 0x80) return false;
      if (!IsAsciiDigit(c)) all_numbers = false;
    }
    ++labels;
    last = label;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (all_numbers) return labels == 4;
  if (last.size() < 2) return false;
  for (const char c : last) {
    if (IsAsciiDigit(c) || c == '-' || c == '_') return false;
  }
  return true;
}

std::string_view WithoutWww(std::string_view host) {
  return host.starts_with("www.") ? host.substr(4) : host;
}

}  // namespace

std::optional<Text> ShownHost(std::string_view shown) {
  const Text live = Refang(shown);
  std::string_view text = live;
  const std::size_t first = text.find_first_not_of(kWrapping);
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(kWrapping) - first + 1);
  while (!text.empty() && (text.back() == '.' || text.back() == ',')) text.remove_suffix(1);
  if (text.find_first_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
  Text url;
  const Text scheme = SchemeOf(text);
  if (!scheme.empty()) {
    if (text.substr(scheme.size()).starts_with("://")) url = Text(text);
  } else {
    const std::string_view host = text.substr(0, text.find_first_of("/?#:"));
    if (LooksLikeHostName(host)) url = "http://" + Text(text);
  }
  if (url.empty()) return std::nullopt;
  const BrowserReading reading = ReadAsBrowser(url);
  if (!reading.ok() || reading.host.ascii.empty()) return std::nullopt;
  return reading.host.ascii;
}

bool ShownTextNamesAnotherHost(std::string_view shown, const BrowserReading& link) {
  if (!link.ok()) return false;
  const std::optional<Text> host = ShownHost(shown);
  return host && NamesAnotherHost(*host, link);
}

bool NamesAnotherHost(std::string_view shown_host, const BrowserReading& link) {
  return link.ok() && WithoutWww(shown_host) != WithoutWww(link.host.ascii);
}

bool NamesAnotherSite(std::string_view shown_host, const BrowserReading& link) {
  return link.ok() && !SameSite(shown_host, link.host.ascii);
}

}  // namespace morvik
