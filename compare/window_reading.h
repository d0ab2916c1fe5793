#pragma once
// Where the window says a URL points: the host field's text, the host cut
// out of it, and the address in the three notations.
//
// The window looks a name up only when the user presses Resolve. Without a
// look-up a name has no address here; 0.0.0.0 is never shown as if it were
// one.

#include <cstdint>
#include <optional>
#include <string_view>

#include "ipv4/host.h"
#include "support/host_resolver.h"
#include "support/text.h"
#include "url/decode_url.h"

namespace morvik {

struct WindowReading {
  UrlCuts cuts;    // where DecodeUrl cut the URL
  Text host_text;  // DecodeUrl: what the host field shows
  // The host as Resolve cuts it (CutHost); Resolve upper-cases it
  // (UpperCaseHost). Kept as a place in `host_text`, so that a long host is
  // not held twice.
  HostCut host_cut;
  std::string_view host() const {
    return std::string_view(host_text).substr(host_cut.start, host_cut.length);
  }
  Text UpperCaseHost() const { return UpperCaseText(host()); }
  std::optional<Text> dotted;  // the address field; absent for a name that was not looked up
  Text decimal;                // DottedToDecimal(dotted)
  Text hex;                    // DottedToHex(dotted)
  std::uint32_t address = 0;   // the value the three notations stand for
  bool looked_up = false;      // the address came from the resolver
  // A decimal host above 4294967295: the window shows 255.255.255.255 and
  // corrects its decimal field to this text.
  std::optional<Text> over_range_correction;
};

// `resolver` null: no name is looked up. Otherwise the address is exactly
// what Resolve would show (HostToDotted through that resolver).
// The host text is made in `room` (see DecodePercentEscapes).
WindowReading ReadAsWindow(std::string_view url, const HostResolver* resolver, Text room = {});

}  // namespace morvik
