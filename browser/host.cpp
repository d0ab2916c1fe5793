#include "browser/host.h"

#include <array>
#include <cstdio>
#include <utility>

#include "browser/idna.h"
#include "browser/ipv6.h"
#include "ipv4/notation.h"
#include "support/text.h"

namespace morvik {
namespace {

// Characters that can never be part of a domain, whatever IDNA says: they
// would end or change the URL's structure, or are controls.
constexpr std::array<bool, 256> kForbiddenInDomain = [] {
  std::array<bool, 256> forbidden{};
  for (int c = 0; c <= 0x20; ++c) forbidden[c] = true;
  forbidden[0x7F] = true;
  for (const unsigned char c : std::string_view("#%/:<>?@[\\]^|")) forbidden[c] = true;
  return forbidden;
}();

std::size_t FirstForbidden(std::string_view domain) {
  for (std::size_t i = 0; i < domain.size(); ++i) {
    if (kForbiddenInDomain[static_cast<unsigned char>(domain[i])]) return i;
  }
  return std::string_view::npos;
}

// What a byte of a name asks for when it is mapped to ASCII; lower-case
// letters, digits and "-", most of any name, ask for nothing.
enum NameByte : unsigned char {
  kUpperCase = 1,  // to be made small
  kForbidden = 2,  // see kForbiddenInDomain
  kNonAscii = 4,   // only IDNA can map it
  kDot = 8,        // a new label starts after it
};

constexpr std::array<unsigned char, 256> kNameByte = [] {
  std::array<unsigned char, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    if (c >= 'A' && c <= 'Z') kinds[c] |= kUpperCase;
    if (kForbiddenInDomain[c]) kinds[c] |= kForbidden;
    if (c >= 0x80) kinds[c] |= kNonAscii;
  }
  kinds['.'] |= kDot;
  return kinds;
}();

// "'@'" for a printable character, "U+0009" for a control.
Text DescribeCharacter(unsigned char c) {
  char text[16];
  if (c > 0x20 && c < 0x7F) {
    std::snprintf(text, sizeof text, "'%c'", c);
  } else {
    std::snprintf(text, sizeof text, "U+%04X", c);
  }
  return text;
}

BrowserHost Failed(BrowserFailure failure, Text detail) {
  BrowserHost host;
  host.failure = failure;
  host.failure_detail = std::move(detail);
  return host;
}

// `host` refused: nothing but the failure is kept. Always false.
bool Fail(BrowserHost& host, BrowserFailure failure, Text detail) {
  host = Failed(failure, std::move(detail));
  return false;
}

BrowserHost ParseIpv6Host(std::string_view raw_host) {
  if (raw_host.back() != ']') return Failed(BrowserFailure::InvalidIpv6, "no closing ']'");
  const std::optional<Ipv6Address> address =
      ParseBrowserIpv6(raw_host.substr(1, raw_host.size() - 2));
  if (!address) return Failed(BrowserFailure::InvalidIpv6, "not an IPv6 address");
  BrowserHost host;
  host.kind = BrowserHostKind::Ipv6;
  host.ascii = "[" + Ipv6Text(*address) + "]";
  return host;
}

// The name in ASCII. A name of ASCII characters without "xn--" labels only
// needs lower-casing, the result IDNA would give it, without its cost; this
// is done in place in the same pass that looks for the other kind and for
// characters no domain may hold. Sets `host` (a new one); false when the
// name is refused.
bool DomainToAsciiHost(Text decoded, BrowserHost& host) {
  host.kind = BrowserHostKind::Domain;
  bool needs_idna = StartsWithIgnoringAsciiCase(decoded, "xn--");
  std::size_t forbidden = std::string_view::npos;
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    char& c = decoded[i];
    const unsigned char kind = kNameByte[static_cast<unsigned char>(c)];
    if (kind == 0) continue;
    if ((kind & kUpperCase) != 0) c = static_cast<char>(c + ('a' - 'A'));
    if ((kind & kForbidden) != 0 && forbidden == std::string_view::npos) forbidden = i;
    if ((kind & kNonAscii) != 0) needs_idna = true;
    if ((kind & kDot) != 0 &&
        StartsWithIgnoringAsciiCase(std::string_view(decoded).substr(i + 1), "xn--")) {
      needs_idna = true;
    }
  }
  if (needs_idna) {
    IdnaResult ascii = DomainToAscii(decoded);
    if (!ascii.ok) return Fail(host, BrowserFailure::Idna, std::move(ascii.error));
    if (ascii.text.empty()) return Fail(host, BrowserFailure::Idna, "nothing left after mapping");
    host.ascii = std::move(ascii.text);
    host.went_through_idna = true;
    forbidden = FirstForbidden(host.ascii);
  } else {
    host.ascii = std::move(decoded);
  }
  if (forbidden != std::string_view::npos) {
    return Fail(host,
                BrowserFailure::ForbiddenCharacter,
                DescribeCharacter(static_cast<unsigned char>(host.ascii[forbidden])));
  }
  return true;
}

}  // namespace

Text PercentDecodeOnce(std::string_view text) {
  if (text.find('%') == std::string_view::npos) return Text(text);
  Text decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsPercentEscapeAt(text, i)) {
      decoded += PercentEscapeValue(text, i);
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

BrowserHost ParseBrowserHost(std::string_view raw_host) {
  // One host, filled in place and returned as it is (every return names
  // it), so that the result is constructed where the caller keeps it.
  BrowserHost host;
  if (raw_host.front() == '[') {
    host = ParseIpv6Host(raw_host);
    return host;
  }
  if (!DomainToAsciiHost(PercentDecodeOnce(raw_host), host)) return host;

  if (EndsInANumber(host.ascii)) {
    host.ipv4 = ParseBrowserIpv4(host.ascii);
    if (!host.ipv4) {
      Fail(host, BrowserFailure::InvalidIpv4, host.ascii);
      return host;
    }
    host.kind = BrowserHostKind::Ipv4;
    host.ascii = DottedText(host.ipv4->address);
    return host;
  }

  if (host.went_through_idna) {
    const IdnaResult unicode = DomainToUnicode(host.ascii);
    if (!unicode.ok) {
      Fail(host, BrowserFailure::Idna, unicode.error);
      return host;
    }
    host.unicode = unicode.text;
    NameDisplay display = DisplayName(host.ascii, host.unicode);
    if (display.display != host.ascii) host.display = std::move(display.display);
    host.lookalike = display.rule;
    host.looks_like = std::move(display.looks_like);
  }
  return host;
}

}  // namespace morvik
