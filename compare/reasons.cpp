#include "compare/reasons.h"

namespace morvik {

namespace {

using enum Reason;

constexpr ReasonEntry kReasons[] = {
    {NotWebScheme,
     "not a web scheme",
     "mailto:, javascript:, ...: no host to go to",
     BrowserFailure::NotWebScheme},
    {EmptyHost, "empty host", "no host after the scheme or \"@\"", BrowserFailure::EmptyHost},
    {Port, "port", "a port that is not a number, or above 65535", BrowserFailure::Port},
    {ForbiddenHostCharacter,
     "forbidden host character",
     "a browser refuses a character of the host",
     BrowserFailure::ForbiddenCharacter},
    {Idna, "idna", "a browser maps the name through IDNA", BrowserFailure::Idna},
    {InvalidIpv4,
     "invalid IPv4",
     "ends in a number, but is no address",
     BrowserFailure::InvalidIpv4},
    {InvalidIpv6, "invalid IPv6", "[...] that is no IPv6 address", BrowserFailure::InvalidIpv6},
    {NoScheme, "no scheme", "no scheme, but the window cut at a \"://\""},
    {Backslash, "backslash", "\"\\\" is \"/\" to a browser, not to the window"},
    {LaterSchemeMarker,
     "later :// or :\\\\",
     "the window cut at a \"://\" or \":\\\\\" further on"},
    {SlashesAfterScheme, "slashes after scheme", "not two slashes after the scheme"},
    {FirstVsLastAt, "first @ vs last @", "first \"@\" for the window, last for a browser"},
    {AtAfterHost, "@ in path or query", "the window took an \"@\" after the host"},
    {TabOrNewline, "tab or newline", "a browser drops tabs and line breaks"},
    {PercentEncodedDot, "percent-encoded dot", "\"%2e\" in the host"},
    {NestedEscape, "nested escape", "\"%252e\": the window decodes it twice"},
    {HexPart, "hex part", "an address part in hexadecimal (0x7f)"},
    {OctalPart, "octal part", "a leading zero: octal to a browser"},
    {ShorthandAddress, "shorthand address", "an address of two or three parts (127.1)"},
    {DecimalHost, "decimal host", "an address written as one number"},
    {TrailingDot, "trailing dot", "an address that ends in \".\""},
    {NameReadAsAddress, "name read as address", "a name the window read as dotted text"},
    {HostCutShort, "host cut short", "the window ends the host at \"_\", \"~\", ..."},
    {NoWindowHost, "no window host", "the window's host starts at \"+\", \"!\", ..."},
    {Ipv6Literal, "IPv6 literal", "[...]: the window knows no IPv6 address"},
    {FileUrl, "file URL", "a file URL: a browser goes to no host"},
    {DifferentHostText, "different host text", "the two read other text for the host"},
    {LookAlikeNotChecked,
     "look-alike not checked",
     "no spoof checker on this system",
     BrowserFailure::None,
     LookAlike::NotChecked},
    {OutsideProfile,
     "character outside name profile",
     "a character no name should hold",
     BrowserFailure::None,
     LookAlike::OutsideProfile},
    {Invisible,
     "invisible character",
     "an invisible character, or a repeated mark",
     BrowserFailure::None,
     LookAlike::Invisible},
    {MixedScripts,
     "mixed scripts",
     "scripts mixed in one label",
     BrowserFailure::None,
     LookAlike::MixedScripts},
    {MixedDigits,
     "mixed digits",
     "digits of more than one numbering system",
     BrowserFailure::None,
     LookAlike::MixedNumbers},
    {WholeScript,
     "whole-script look-alike",
     "one script, every letter like a Latin one",
     BrowserFailure::None,
     LookAlike::WholeScript},
    {AsciiSkeleton,
     "skeleton of an ASCII name",
     "looks like a plain ASCII name",
     BrowserFailure::None,
     LookAlike::AsciiName},
    {ShownTextNamesAnotherHost,
     "shown text names another host",
     "scan: the link's text names another host",
     BrowserFailure::None,
     LookAlike::None},
};

constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kReasons); ++i) {
    if (static_cast<std::size_t>(kReasons[i].reason) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kReasons is indexed by Reason");

}  // namespace

std::span<const ReasonEntry> AllReasons() { return kReasons; }

const char* ReasonPhrase(Reason reason) {
  return kReasons[static_cast<std::size_t>(reason)].phrase;
}

const char* BrowserFailureName(BrowserFailure failure) {
  for (const ReasonEntry& entry : kReasons) {
    if (failure != BrowserFailure::None && entry.failure == failure) return entry.phrase;
  }
  return "";
}

const char* LookAlikeName(LookAlike rule) {
  for (const ReasonEntry& entry : kReasons) {
    if (rule != LookAlike::None && entry.lookalike == rule) return entry.phrase;
  }
  return "";
}

}  // namespace morvik
