#pragma once
// The bracketed IPv6 host of a browser ("[::1]"): parsed so that a valid
// literal can be told from a broken one, and written back in the browser's
// compressed form.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "support/text.h"

namespace morvik {

using Ipv6Address = std::array<std::uint16_t, 8>;

// The text between the brackets; nothing when it is not a valid address.
std::optional<Ipv6Address> ParseBrowserIpv6(std::string_view text);

// Lower-case pieces without leading zeros, the first longest run of two or
// more zero pieces written as "::"; without brackets.
Text Ipv6Text(const Ipv6Address& address);

}  // namespace morvik
