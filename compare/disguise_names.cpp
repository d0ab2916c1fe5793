#include "compare/disguise_names.h"

namespace morvik {
namespace {

constexpr DisguiseEntry kDisguises[] = {
    {kUserPartDisguise, "text before \"@\" in the authority: a decoy"},
    {kNumericHostDisguise, "an address as one number, hex, octal, short"},
    {kAddressHostDisguise, "a dotted IPv4 or IPv6 address, not a name"},
    {kEscapedHostDisguise, "percent-escapes in the host"},
    {kLookAlikeDisguise, "passes for another name (the rule, the name)"},
    {kDirectionControlDisguise, "a bidirectional control reorders what is drawn"},
    {kInvisibleCharacterDisguise, "draws nothing, in the host or the shown text"},
    {kSubdomainDisguise, "labels that make a site: paypal.com.x.example"},
    {kShownTextDisguise, "scan: the shown URL or host is another site"},
    {kRedirectDisguise, "a URL inside the URL; leads_to: its last host"},
    {kScriptLinkDisguise, "a javascript: or data: target"},
};

}  // namespace

std::span<const DisguiseEntry> AllDisguises() { return kDisguises; }

}  // namespace morvik
