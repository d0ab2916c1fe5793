// The disguises of a URL's authority: a decoy before "@", a host that is an
// address or written as an unusual number, escapes in the host, a name that
// passes for another, and labels that spell another site.

#include <algorithm>
#include <array>
#include <iterator>

#include "browser/registrable_domain.h"
#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"
#include "compare/reasons.h"

namespace morvik {
namespace {

constexpr std::array<bool, 256> kNameByte = [] {
  std::array<bool, 256> name{};
  for (int c = 0; c < 256; ++c) {
    name[c] = IsAsciiLetter(static_cast<char>(c)) || IsAsciiDigit(static_cast<char>(c)) ||
              c == '-' || c == '.';
  }
  return name;
}();

bool IsNameByte(char c) { return kNameByte[static_cast<unsigned char>(c)]; }

constexpr std::string_view kOldGeneric[] = {
    "com", "net", "org", "edu", "gov", "mil", "int", "info", "biz"};

// A last label a reader takes for the end of a site's name: a country's
// two letters or one of the old generic suffixes. Tested before the suffix
// list is asked, which costs far more.
bool EndsLikeASite(std::string_view name) {
  // The last label, read from the end: letters only, with their case bit
  // set, and at most four of them (no suffix of the list above is longer).
  char last[4];
  std::size_t length = 0;
  for (std::size_t at = name.size(); at > 0; --at) {
    const char c = name[at - 1];
    if (c == '.') {
      if (length < 2) return false;
      const std::string_view folded(last + (sizeof last - length), length);
      return length == 2 || std::find(std::begin(kOldGeneric), std::end(kOldGeneric), folded) !=
                                std::end(kOldGeneric);
    }
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter || length == sizeof last) return false;
    last[sizeof last - 1 - length++] = static_cast<char>(c | 0x20);
  }
  return false;
}

// A name a reader takes for a site's: a registrable domain of the suffix
// list that ends like a site ("paypal.com", "ing.nl", "amazon.co.jp"). The
// newer generic suffixes are everyday words ("email", "news", "online")
// that hosts use as labels of their own: "image.email.netted.net" spells
// nothing.
bool ReadsAsSiteName(std::string_view name) {
  return EndsLikeASite(name) && !name.starts_with("www.") && IsListedRegistrableDomain(name);
}

// The host name a decoy starts with, if any: its first run of name
// characters, or that run cut before a "-", when it has two labels or more
// and ends like a site ("www.correios.com.br" in
// "www.correios.com.br-0441rastreio"). Told by its form alone: a decoy is
// not looked up in the suffix list, which would cost more than reading
// the rest of the URL.
std::optional<std::string_view> LeadingHostName(std::string_view decoy) {
  constexpr std::size_t kLongestName = 253;
  std::size_t run = 0;
  while (run < decoy.size() && run <= kLongestName && IsNameByte(decoy[run])) ++run;
  for (std::size_t end = run; end > 0;) {
    const std::string_view name = decoy.substr(0, end);
    if (name.front() != '.' && name.find("..") == std::string_view::npos && EndsLikeASite(name)) {
      return name;
    }
    const std::size_t dash = name.rfind('-', end - 1);
    if (dash == std::string_view::npos) break;
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
  constexpr std::string_view kIsName = ", a host name";
  constexpr std::string_view kStartsWithName = ", starts with host name ";
  const std::optional<std::string_view> name = LeadingHostName(decoy);
  Text detail;
  detail.reserve(EvidenceBytes(decoy) + kStartsWithName.size() + (name ? name->size() : 0));
  AppendEvidence(detail, decoy);
  if (name && name->size() == decoy.size()) {
    detail += kIsName;
  } else if (name) {
    detail += kStartsWithName;
    detail += *name;
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
  constexpr std::string_view kReadAs = ", read as ";
  Text detail;
  detail.reserve(EvidenceBytes(browser.escaped_host) + kReadAs.size() +
                 EvidenceBytes(browser.host.ascii));
  AppendEvidence(detail, browser.escaped_host);
  if (browser.ok()) {
    detail += kReadAs;
    AppendEvidence(detail, browser.host.ascii);
  }
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
  // Two labels or more of a site before the host's own two or more.
  if (std::count(host.begin(), host.end(), '.') < 3) return;
  const std::optional<std::string_view> site = RegistrableDomain(host);
  if (!site || site->size() + 1 >= host.size()) return;
  // The labels before the host's own site, longest first.
  std::string_view labels = host.substr(0, host.size() - site->size() - 1);
  while (labels.find('.') != std::string_view::npos) {
    const std::optional<std::string_view> spelled =
        EndsLikeASite(labels) ? RegistrableDomain(labels) : std::nullopt;
    if (spelled && ReadsAsSiteName(*spelled)) {
      AddDisguise(found.found, kSubdomainDisguise, Text(*spelled) + " on the site " + Text(*site));
      return;
    }
    labels = labels.substr(0, labels.rfind('.'));
  }
}

}  // namespace morvik
