#pragma once
// Two disguises that work on the eye rather than on the parser: a
// direction control makes the screen show a URL or a link's text in another
// order than it is read ("fdp.exe" after a right-to-left override shows as
// "exe.pdf"), and an invisible character splits a host that looks whole (a
// browser drops a zero-width space; what is shown and where it goes part).

#include <optional>
#include <string_view>

#include "compare/disguise.h"

namespace morvik {

inline constexpr std::string_view kDirectionControl = "direction control";
inline constexpr std::string_view kInvisibleCharacter = "invisible character";

// Their lines in a list of disguises (--help, README).
inline constexpr std::string_view kDirectionControlHelp =
    "a bidirectional control in the URL or the shown text reorders what is drawn";
inline constexpr std::string_view kInvisibleCharacterHelp =
    "a character that draws nothing in the host or the shown text";

struct HiddenCharacterInput {
  std::string_view url;  // as read: with --refang, the refanged URL
  // What the reader is shown for the link (scan), if anything. A shown text
  // that is the URL itself is not looked at twice.
  std::optional<std::string_view> shown;
};

// Appends one "direction control" for each place that holds a bidirectional
// control (the URL's user part, host, port, path, query or fragment, and the
// shown text), its detail naming the characters, the place and how the text
// from there on shows on screen:
//   U+202E RIGHT-TO-LEFT OVERRIDE in the path; shows as "/exe.pdf"
// and one "invisible character" for the host and for the shown text when
// they hold a character that draws nothing where it does no other job (a
// joiner inside an emoji sequence does one), its detail naming the
// characters and what the place reads without them:
//   U+200B ZERO WIDTH SPACE in the host; reads "example.com" without it
// Without ICU nothing is appended: the characters cannot be told reliably.
void FindHiddenCharacters(const HiddenCharacterInput& input, Disguises& out);

}  // namespace morvik
