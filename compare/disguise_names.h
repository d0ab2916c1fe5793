#pragma once
// Every disguise the program names, in one table: the name every output
// format writes and the line --help shows for it. A detector names its
// finding with one of these constants.

#include <span>
#include <string_view>

namespace morvik {

inline constexpr std::string_view kUserPartDisguise = "user part";
inline constexpr std::string_view kNumericHostDisguise = "numeric host";
inline constexpr std::string_view kAddressHostDisguise = "address host";
inline constexpr std::string_view kEscapedHostDisguise = "escaped host";
inline constexpr std::string_view kLookAlikeDisguise = "look-alike";
inline constexpr std::string_view kDirectionControlDisguise = "direction control";
inline constexpr std::string_view kInvisibleCharacterDisguise = "invisible character";
inline constexpr std::string_view kShownTextDisguise = "shown text names another site";
inline constexpr std::string_view kSubdomainDisguise = "subdomain spells another site";
inline constexpr std::string_view kRedirectDisguise = "redirect";
inline constexpr std::string_view kScriptLinkDisguise = "script link";

struct DisguiseEntry {
  std::string_view name;
  std::string_view help;
};

// In the order --help lists them, which is the order a link's disguises
// are given in.
std::span<const DisguiseEntry> AllDisguises();

}  // namespace morvik
