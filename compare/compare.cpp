#include "compare/compare.h"

#include <algorithm>
#include <cstdint>

#include "compare/reasons.h"

namespace morvik {
namespace {

using enum Reason;

// The first address of `name` as a value (first byte most significant), 0
// when the look-up fails.
std::uint32_t LookedUpAddress(const HostResolver& resolver, const Text& name) {
  return AddressValue(resolver.Resolve(name, 1));
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
  void Add(bool applies, Reason reason) { Add(applies, ReasonPhrase(reason)); }
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
                                  const WindowReading& window, const BrowserReading& browser) {
  const UrlCuts& cuts = window.cuts;
  const bool scheme_cut =
      cuts.after_scheme != UrlCuts::kNoCut || cuts.after_backslash_scheme != UrlCuts::kNoCut;
  // A cut at a marker other than the one right after the scheme: a ":\\"
  // after the "://", or a marker further on in the URL.
  const std::size_t first_cut = std::min(cuts.after_scheme, cuts.after_backslash_scheme);
  const bool later_marker =
      (cuts.after_scheme != UrlCuts::kNoCut && cuts.after_backslash_scheme != UrlCuts::kNoCut) ||
      (scheme_cut && first_cut - 3 != url.find(':'));
  reasons.Add(browser.scheme_assumed && scheme_cut, NoScheme);
  if (!browser.scheme_assumed && browser.host.failure != BrowserFailure::NotWebScheme) {
    // The window knows "://" and ":\\" only; a browser takes any run of
    // slashes and backslashes, or none.
    const bool window_form = browser.slashes == "//" || browser.slashes == "\\\\";
    reasons.Add(!window_form && browser.slashes.find('\\') != Text::npos, Backslash);
    reasons.Add(!window_form && browser.slashes.find('\\') == Text::npos, SlashesAfterScheme);
  }
  // The window cut at a "://" or ":\\" further on in the URL, where a
  // browser's host was long over.
  reasons.Add(!browser.scheme_assumed && later_marker, LaterSchemeMarker);
  reasons.Add(browser.at_signs_in_authority >= 2, FirstVsLastAt);
  if (browser.at_signs_in_authority == 0 && browser.at_sign_after_authority &&
      cuts.after_user != UrlCuts::kNoCut) {
    // The window took an "@" that a browser never reaches: its authority
    // ended before, at a backslash or at the path, query or fragment.
    reasons.Add(browser.authority_end == '\\', Backslash);
    reasons.Add(browser.authority_end != '\\', AtAfterHost);
  }
  reasons.Add(browser.tab_or_newline_in_authority, TabOrNewline);
}

void AddHostReasons(ReasonList& reasons, const WindowReading& window,
                    const BrowserReading& browser) {
  const BrowserHost& host = browser.host;
  reasons.Add(browser.host_encoded_dot, PercentEncodedDot);
  reasons.Add(browser.host_nested_escape, NestedEscape);
  if (host.ipv4) {
    reasons.Add(host.ipv4->hex_part, HexPart);
    reasons.Add(host.ipv4->octal_part, OctalPart);
    reasons.Add(host.ipv4->parts == 2 || host.ipv4->parts == 3, ShorthandAddress);
    reasons.Add(host.ipv4->parts == 1 && !host.ipv4->hex_part && !host.ipv4->octal_part,
                DecimalHost);
    reasons.Add(host.ipv4->trailing_dot, TrailingDot);
  }
  reasons.Add(host.kind == BrowserHostKind::Domain && window.dotted && !window.looked_up &&
                  EqualsIgnoringAsciiCase(window.host(), host.ascii),
              NameReadAsAddress);
  reasons.Add(host.went_through_idna, Idna);
  reasons.Add(browser.ok() && host.kind == BrowserHostKind::Ipv6, Ipv6Literal);
  reasons.Add(browser.ok() && host.kind == BrowserHostKind::Empty, FileUrl);
}

// When nothing more specific explains the difference, the host texts do,
// so that every difference has a name: the window found no host at all, or
// ended it at a character a browser keeps ("_", "~", ...), or the two read
// other text.
void AddHostTextReason(ReasonList& reasons, const WindowReading& window,
                       const BrowserReading& browser) {
  if (!reasons.empty()) return;
  const std::string_view window_host = window.host();
  const std::string_view browser_host = browser.host.ascii;
  if (window_host.empty()) {
    reasons.Add(true, NoWindowHost);
    return;
  }
  const bool cut_short =
      browser.host.kind == BrowserHostKind::Domain && window_host.size() < browser_host.size() &&
      EqualsIgnoringAsciiCase(browser_host.substr(0, window_host.size()), window_host);
  reasons.Add(cut_short, HostCutShort);
  reasons.Add(!cut_short, DifferentHostText);
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
  AddSchemeAndAuthorityReasons(reasons, url, window, browser);
  AddHostReasons(reasons, window, browser);
  AddHostTextReason(reasons, window, browser);
  reasons.Add(lookalike != LookAlike::None, LookAlikeName(lookalike));
  comparison.reasons = reasons.Take();
  return comparison;
}

}  // namespace morvik
