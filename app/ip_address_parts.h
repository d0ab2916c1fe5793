#pragma once
// The text contract of Windows' IP address control, as rules on the four
// parts it shows: how a text given with WM_SETTEXT is spread over the parts,
// and how WM_GETTEXT composes a text from them. Where the platform's control
// keeps that contract, these rules are never used (see ip_address_adapter.h).

#include <array>
#include <string>
#include <string_view>

namespace morvik {

// What each part shows, left to right; "" is a blank part.
using IpAddressParts = std::array<std::string, 4>;

// The text is cut at its dots, left to right. A piece of one to three digits
// fills its part, as a number (leading zeros dropped) no larger than 255, the
// most a part takes when typed into; any other piece (empty, four or more
// digits, a sign, a letter, a space) leaves its part blank. Missing pieces
// leave their parts blank, and a fifth piece and beyond are ignored. So ""
// blanks all four parts, and "10.1" shows 10 and 1 with two blank parts.
IpAddressParts SpreadOverParts(std::string_view text);

// "a.b.c.d" with a blank part as 0, as Windows' control reports a newly made
// one ("0.0.0.0"); digits a part holds are read as a number no larger than 255.
std::string ComposeFromParts(const IpAddressParts& parts);

}  // namespace morvik
