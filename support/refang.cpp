#include "support/refang.h"

#include "support/text.h"

namespace morvik {
namespace {

struct Replacement {
  std::string_view defanged;
  std::string_view live;
};

// Longer forms first, so that "[://]" is not taken for "[:" and the rest.
constexpr Replacement kBrackets[] = {
    {"[://]", "://"}, {"[dot]", "."}, {"[.]", "."}, {"(.)", "."}, {"[:]", ":"}};
constexpr std::string_view kDefangedScheme = "hxxp";

}  // namespace

bool HasDefangMarker(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::string_view rest = text.substr(at);
    if (StartsWithIgnoringAsciiCase(rest, kDefangedScheme)) return true;
    for (const Replacement& replacement : kBrackets) {
      if (StartsWithIgnoringAsciiCase(rest, replacement.defanged)) return true;
    }
  }
  return false;
}

Text Refang(std::string_view text) {
  Text live;
  live.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::string_view rest = text.substr(at);
    if (StartsWithIgnoringAsciiCase(rest, kDefangedScheme)) {
      // The t's take the letter case of the h: hXXp is http, HXXP is HTTP.
      const char t = rest[0] == 'H' ? 'T' : 't';
      live += rest[0];
      live += t;
      live += t;
      live += rest[3];
      at += 4;
      continue;
    }
    bool replaced = false;
    for (const Replacement& replacement : kBrackets) {
      if (StartsWithIgnoringAsciiCase(rest, replacement.defanged)) {
        live += replacement.live;
        at += replacement.defanged.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) live += text[at++];
  }
  return live;
}

Text DefangUrl(std::string_view url) {
  Text scheme;
  if (StartsWithIgnoringAsciiCase(url, "http:") || StartsWithIgnoringAsciiCase(url, "https:")) {
    scheme += url[0];
    scheme += url[1] == 'T' ? 'X' : 'x';
    scheme += url[2] == 'T' ? 'X' : 'x';
    url.remove_prefix(3);
  }
  return scheme + ReplaceText(ReplaceText(Text(url), "://", "[://]"), ".", "[.]");
}

Text DefangHost(std::string_view host) { return ReplaceText(Text(host), ".", "[.]"); }

}  // namespace morvik
