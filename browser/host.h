#pragma once
// The host as a browser reads it for a web (special) scheme: percent-decoded
// once, mapped by IDNA, refused when it holds a character no domain may
// hold, and read as an IPv4 address when its last label is a number.

#include <optional>
#include <string_view>

#include "browser/ipv4.h"
#include "browser/name_display.h"
#include "browser/protected_sites.h"
#include "support/text.h"

namespace morvik {

enum class BrowserFailure {
  None,
  NotWebScheme,        // mailto:, javascript:, ...: no host to go to
  EmptyHost,           // http://user@/, http://:80/
  Port,                // not a number, or above 65535
  ForbiddenCharacter,  // space, "@", "%", a control character, ... in the host
  Idna,                // IDNA refused the name
  InvalidIpv4,         // ends in a number but is no valid address
  InvalidIpv6,         // [..] that is no valid IPv6 address
};

enum class BrowserHostKind { Empty, Domain, Ipv4, Ipv6 };

struct BrowserHost {
  BrowserFailure failure = BrowserFailure::None;
  Text failure_detail;  // what exactly was refused, for the reader
  BrowserHostKind kind = BrowserHostKind::Empty;
  Text ascii;    // as the browser writes it: lower-case name, dotted IPv4, [IPv6]
  Text unicode;  // an internationalised name in Unicode; empty for any other host
  // How an address bar shows the host (see DisplayName): for a name that
  // needed no IDNA, `ascii`; `display` is empty when `ascii` is shown.
  Text display;
  LookAlike lookalike = LookAlike::None;
  Text looks_like;  // the plain ASCII name it passes for, if any
  bool went_through_idna = false;
  std::optional<BrowserIpv4> ipv4;
};

// `raw_host` is the host exactly as written in the URL (not empty);
// `decoded` is PercentDecodeOnce(raw_host), which the caller reads too. A
// name that passes for one of `sites` says so in `lookalike` and `looks_like`.
BrowserHost ParseBrowserHost(std::string_view raw_host, Text decoded, const ProtectedSites& sites);

// %XX with two hexadecimal digits becomes that byte; anything else stays.
// Decoded bytes are not looked at again.
Text PercentDecodeOnce(std::string_view text);

}  // namespace morvik
