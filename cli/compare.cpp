#include "cli/compare.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace morvik {
namespace {

// Each phrase names a feature of the URL that the two readings treat
// differently. Several can apply to one URL.
constexpr const char* kNoScheme = "no scheme";
constexpr const char* kBackslash = "backslash";
constexpr const char* kLaterSchemeMarker = "later :// or :\\\\";
constexpr const char* kSlashesAfterScheme = "slashes after scheme";
constexpr const char* kFirstVsLastAt = "first @ vs last @";
constexpr const char* kAtAfterHost = "@ in path or query";
constexpr const char* kTabOrNewline = "tab or newline";
constexpr const char* kPercentEncodedDot = "percent-encoded dot";
constexpr const char* kNestedEscape = "nested escape";
constexpr const char* kHexPart = "hex part";
constexpr const char* kOctalPart = "octal part";
constexpr const char* kShorthandAddress = "shorthand address";
constexpr const char* kDecimalHost = "decimal host";
constexpr const char* kTrailingDot = "trailing dot";
constexpr const char* kNameReadAsAddress = "name read as address";
constexpr const char* kHostCutShort = "host cut short";
constexpr const char* kIdna = "idna";
constexpr const char* kIpv6Literal = "IPv6 literal";
constexpr const char* kFileUrl = "file URL";
constexpr const char* kOther = "other";

constexpr BrowserFailure kFailures[] = {BrowserFailure::NotWebScheme,
                                        BrowserFailure::EmptyHost,
                                        BrowserFailure::Port,
                                        BrowserFailure::ForbiddenCharacter,
                                        BrowserFailure::Idna,
                                        BrowserFailure::InvalidIpv4,
                                        BrowserFailure::InvalidIpv6};

constexpr LookAlike kLookAlikes[] = {LookAlike::NotChecked,
                                     LookAlike::OutsideProfile,
                                     LookAlike::Invisible,
                                     LookAlike::MixedScripts,
                                     LookAlike::MixedNumbers,
                                     LookAlike::WholeScript,
                                     LookAlike::AsciiName};

// Where the window's URL decoding cut the text: at the first "://" (or
// ":\\") and then at the first "@" of what was left.
struct WindowCuts {
  bool scheme = false;
  bool user_information = false;
  // A cut at a marker other than the one right after the scheme: a ":\\"
  // after the "://", or a marker further on in the URL.
  bool later_marker = false;
};

WindowCuts FindWindowCuts(std::string_view url) {
  WindowCuts cuts;
  const std::size_t scheme_colon = url.find(':');
  std::size_t offset = 0;
  for (const std::string_view marker : {std::string_view("://"), std::string_view(":\\\\")}) {
    const std::size_t found = url.find(marker);
    if (found == std::string_view::npos) continue;
    cuts.later_marker = cuts.later_marker || cuts.scheme || offset + found != scheme_colon;
    cuts.scheme = true;
    url.remove_prefix(found + marker.size());
    offset += found + marker.size();
  }
  cuts.user_information = url.find('@') != std::string_view::npos;
  return cuts;
}

// Each byte with ASCII capitals made small.
constexpr std::array<unsigned char, 256> kLowerCase = [] {
  std::array<unsigned char, 256> lower{};
  for (int c = 0; c < 256; ++c)
    lower[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower;
}();

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (kLowerCase[static_cast<unsigned char>(a[i])] !=
        kLowerCase[static_cast<unsigned char>(b[i])]) {
      return false;
    }
  }
  return true;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// The first address of `name` as a value (first byte most significant), 0
// when the look-up fails.
std::uint32_t LookedUpAddress(const HostResolver& resolver, const Text& name) {
  const NetworkAddress address = resolver.Resolve(name, 1);
  if (address == 0) return 0;
  unsigned char bytes[sizeof address];
  std::memcpy(bytes, &address, sizeof address);  // network order: first byte first
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool SamePlace(const WindowReading& window, const BrowserReading& browser,
               const HostResolver* resolver) {
  if (!browser.ok()) return false;
  const BrowserHost& host = browser.host;
  switch (host.kind) {
    case BrowserHostKind::Ipv4:
      return window.dotted.has_value() && window.address == host.ipv4->address;
    case BrowserHostKind::Domain:
      // A four-label name that the window took for dotted text shows as an
      // address the name does not have.
      if (window.dotted && !window.looked_up) return false;
      if (EqualsIgnoringAsciiCase(window.host(), host.ascii)) return true;
      if (resolver == nullptr || !window.looked_up) return false;
      {
        // Two names for one address: the same place, if the look-up worked.
        const std::uint32_t address = LookedUpAddress(*resolver, host.ascii);
        return address != 0 && address == window.address;
      }
    case BrowserHostKind::Ipv6:
    case BrowserHostKind::Empty: return false;
  }
  return false;
}

class ReasonList {
 public:
  void Add(bool applies, const char* reason) {
    if (!applies) return;
    for (const char* known : reasons_) {
      if (std::strcmp(known, reason) == 0) return;
    }
    reasons_.push_back(reason);
  }
  std::vector<const char*> Take() { return std::move(reasons_); }
  bool empty() const { return reasons_.empty(); }

 private:
  std::vector<const char*> reasons_;
};

void AddSchemeAndAuthorityReasons(ReasonList& reasons, std::string_view url,
                                  const BrowserReading& browser) {
  const WindowCuts cuts = FindWindowCuts(url);
  reasons.Add(browser.scheme_assumed && cuts.scheme, kNoScheme);
  if (!browser.scheme_assumed && browser.host.failure != BrowserFailure::NotWebScheme) {
    // The window knows "://" and ":\\" only; a browser takes any run of
    // slashes and backslashes, or none.
    const bool window_form = browser.slashes == "//" || browser.slashes == "\\\\";
    reasons.Add(!window_form && browser.slashes.find('\\') != Text::npos, kBackslash);
    reasons.Add(!window_form && browser.slashes.find('\\') == Text::npos, kSlashesAfterScheme);
  }
  // The window cut at a "://" or ":\\" further on in the URL, where a
  // browser's host was long over.
  reasons.Add(!browser.scheme_assumed && cuts.later_marker, kLaterSchemeMarker);
  reasons.Add(browser.at_signs_in_authority >= 2, kFirstVsLastAt);
  if (browser.at_signs_in_authority == 0 && browser.at_sign_after_authority &&
      cuts.user_information) {
    // The window took an "@" that a browser never reaches: its authority
    // ended before, at a backslash or at the path, query or fragment.
    reasons.Add(browser.authority_end == '\\', kBackslash);
    reasons.Add(browser.authority_end != '\\', kAtAfterHost);
  }
  reasons.Add(browser.tab_or_newline_in_authority, kTabOrNewline);
}

void AddHostReasons(ReasonList& reasons, const WindowReading& window,
                    const BrowserReading& browser) {
  const BrowserHost& host = browser.host;
  reasons.Add(browser.host_encoded_dot, kPercentEncodedDot);
  reasons.Add(browser.host_nested_escape, kNestedEscape);
  if (host.ipv4) {
    reasons.Add(host.ipv4->hex_part, kHexPart);
    reasons.Add(host.ipv4->octal_part, kOctalPart);
    reasons.Add(host.ipv4->parts == 2 || host.ipv4->parts == 3, kShorthandAddress);
    reasons.Add(host.ipv4->parts == 1 && !host.ipv4->hex_part && !host.ipv4->octal_part,
                kDecimalHost);
    reasons.Add(host.ipv4->trailing_dot, kTrailingDot);
  }
  reasons.Add(host.kind == BrowserHostKind::Domain && window.dotted && !window.looked_up &&
                  EqualsIgnoringAsciiCase(window.host(), host.ascii),
              kNameReadAsAddress);
  reasons.Add(host.went_through_idna, kIdna);
  reasons.Add(browser.ok() && host.kind == BrowserHostKind::Ipv6, kIpv6Literal);
  reasons.Add(browser.ok() && host.kind == BrowserHostKind::Empty, kFileUrl);
}

}  // namespace

Comparison CompareReadings(std::string_view url, const WindowReading& window,
                           const BrowserReading& browser, const HostResolver* resolver) {
  Comparison comparison;
  comparison.same = SamePlace(window, browser, resolver);
  // Where the host is a look-alike name, agreeing on it is no all-clear.
  const LookAlike lookalike = browser.ok() ? browser.host.lookalike : LookAlike::None;
  if (comparison.same) {
    if (lookalike != LookAlike::None) comparison.reasons.push_back(LookAlikeName(lookalike));
    return comparison;
  }

  ReasonList reasons;
  reasons.Add(!browser.ok(), BrowserFailureName(browser.host.failure));
  AddSchemeAndAuthorityReasons(reasons, url, browser);
  AddHostReasons(reasons, window, browser);
  // The window ends a host at characters a browser keeps ("_", "~", ...);
  // named only when nothing more specific explains the difference.
  const BrowserHost& host = browser.host;
  reasons.Add(reasons.empty() && host.kind == BrowserHostKind::Domain && !window.host().empty() &&
                  window.host().size() < host.ascii.size() &&
                  StartsWithIgnoringAsciiCase(host.ascii, window.host()),
              kHostCutShort);
  reasons.Add(reasons.empty(), kOther);
  reasons.Add(lookalike != LookAlike::None, LookAlikeName(lookalike));
  comparison.reasons = reasons.Take();
  return comparison;
}

const std::vector<const char*>& AllDisagreementReasons() {
  static const std::vector<const char*> all = [] {
    ReasonList list;  // "idna" is both a failure and a feature: listed once
    for (const BrowserFailure failure : kFailures) list.Add(true, BrowserFailureName(failure));
    for (const char* reason :
         {kNoScheme,      kBackslash,   kLaterSchemeMarker, kSlashesAfterScheme,
          kFirstVsLastAt, kAtAfterHost, kTabOrNewline,      kPercentEncodedDot,
          kNestedEscape,  kHexPart,     kOctalPart,         kShorthandAddress,
          kDecimalHost,   kTrailingDot, kNameReadAsAddress, kHostCutShort,
          kIdna,          kIpv6Literal, kFileUrl,           kOther}) {
      list.Add(true, reason);
    }
    for (const LookAlike rule : kLookAlikes) list.Add(true, LookAlikeName(rule));
    return list.Take();
  }();
  return all;
}

}  // namespace morvik
