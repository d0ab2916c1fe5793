// The disguises of a URL's authority: a decoy before "@", a host that is an
// address or written as an unusual number, escapes in the host, a name that
// passes for another, and labels that spell another site.

#include <algorithm>
#include <iterator>

#include "browser/registrable_domain.h"
#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"
#include "compare/reasons.h"

namespace morvik {
namespace {

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.';
}

// A name a reader takes for a site's: a registrable domain of the suffix
// list whose suffix is a country's, one of the old generic ones, or of two
// labels or more ("paypal.com", "ing.nl", "amazon.co.jp"). The newer
// generic suffixes are everyday words ("email", "news", "online") that
// hosts use as labels of their own: "image.email.netted.net" spells
// nothing.
bool ReadsAsSiteName(std::string_view name) {
  constexpr std::string_view kOldGeneric[] = {
      "com", "net", "org", "edu", "gov", "mil", "int", "info", "biz"};
  if (!IsListedRegistrableDomain(name) || name.starts_with("www.")) return false;
  const std::string_view suffix = name.substr(name.find('.') + 1);
  if (suffix.find('.') != std::string_view::npos || suffix.size() == 2) return true;
  return std::find(std::begin(kOldGeneric), std::end(kOldGeneric), suffix) != std::end(kOldGeneric);
}

// The host name a decoy starts with, if any: its first run of name
// characters, or that run cut before a "-", that ends in a listed public
// suffix ("www.correios.com.br" in "www.correios.com.br-0441rastreio").
std::optional<std::string_view> LeadingHostName(std::string_view decoy) {
  constexpr std::size_t kLongestName = 253;
  std::size_t run = 0;
  while (run < decoy.size() && run <= kLongestName && IsNameByte(decoy[run])) ++run;
  const Text lower = AsciiLowerCase(decoy.substr(0, run));
  for (std::size_t end = run; end > 0;) {
    const std::optional<std::string_view> site =
        RegistrableDomain(std::string_view(lower).substr(0, end));
    if (site && ReadsAsSiteName(*site)) return decoy.substr(0, end);
    const std::size_t dash = lower.rfind('-', end - 1);
    if (dash == Text::npos) break;
    end = dash;
  }
  return std::nullopt;
}

bool IsDomain(const BrowserReading& browser) {
  return browser.ok() && browser.host.kind == BrowserHostKind::Domain;
}

}  // namespace

void FindUserPart(const LinkFacts& link, LinkDisguises& found) {
  const std::string_view decoy = link.browser.user_info;
  if (decoy.empty()) return;
  Text detail = Evidence(decoy);
  if (const std::optional<std::string_view> name = LeadingHostName(decoy)) {
    detail += name->size() == decoy.size() ? " (a host name)"
                                           : " (starts with host name " + Text(*name) + ")";
  }
  AddDisguise(found.found, kUserPartDisguise, std::move(detail));
}

void FindNumericOrAddressHost(const LinkFacts& link, LinkDisguises& found) {
  const BrowserHost& host = link.browser.host;
  if (!link.browser.ok()) return;
  if (host.kind == BrowserHostKind::Ipv6) {
    AddDisguise(found.found, kAddressHostDisguise, host.ascii);
  } else if (host.kind == BrowserHostKind::Ipv4) {
    const BrowserIpv4& ipv4 = *host.ipv4;
    const bool unusual = ipv4.parts != 4 || ipv4.hex_part || ipv4.octal_part;
    AddDisguise(found.found, unusual ? kNumericHostDisguise : kAddressHostDisguise, host.ascii);
  }
}

void FindEscapedHost(const LinkFacts& link, LinkDisguises& found) {
  const BrowserReading& browser = link.browser;
  if (browser.escaped_host.empty()) return;
  Text detail = Evidence(browser.escaped_host);
  if (browser.ok()) detail += ", read as " + Evidence(browser.host.ascii);
  AddDisguise(found.found, kEscapedHostDisguise, std::move(detail));
}

void FindLookAlike(const LinkFacts& link, LinkDisguises& found) {
  const BrowserHost& host = link.browser.host;
  if (!IsDomain(link.browser) || host.lookalike == LookAlike::None ||
      host.lookalike == LookAlike::NotChecked) {
    return;
  }
  Text detail = LookAlikeName(host.lookalike);
  if (!host.looks_like.empty()) detail += ", passes for " + host.looks_like;
  AddDisguise(found.found, kLookAlikeDisguise, std::move(detail));
}

void FindSubdomainSpellingASite(const LinkFacts& link, LinkDisguises& found) {
  if (!IsDomain(link.browser)) return;
  const std::string_view host = link.browser.host.ascii;
  const std::optional<std::string_view> site = RegistrableDomain(host);
  if (!site || site->size() + 1 >= host.size()) return;
  // The labels before the host's own site, longest first.
  std::string_view labels = host.substr(0, host.size() - site->size() - 1);
  while (labels.find('.') != std::string_view::npos) {
    const std::optional<std::string_view> spelled = RegistrableDomain(labels);
    if (spelled && ReadsAsSiteName(*spelled)) {
      AddDisguise(
          found.found, kSubdomainDisguise, Text(*spelled) + " (the site is " + Text(*site) + ")");
      return;
    }
    labels = labels.substr(0, labels.rfind('.'));
  }
}

}  // namespace morvik
