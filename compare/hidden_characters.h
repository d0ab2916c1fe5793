#pragma once
// Two disguises that work on the eye rather than on the parser: a
// direction control makes the screen show a URL or a link's text in another
// order than it is read ("fdp.exe" after a right-to-left override shows as
// "exe.pdf"), and an invisible character splits a host that looks whole (a
// browser drops a zero-width space; what is shown and where it goes part).
//
// In the URL, FindHiddenCharacters (compare/disguise_detectors.h) names one
// "direction control" for each piece that holds a bidirectional control
// (user part, host, port, path, query, fragment), its detail naming the
// characters, the piece and how the text from there on shows on screen:
//   U+202E RIGHT-TO-LEFT OVERRIDE in the path; shows as "/exe.pdf"
// and one "invisible character" when the host holds a character that draws
// nothing where it does no other job (a joiner after a virama does one),
// its detail naming the characters and what the host reads without them:
//   U+200B ZERO WIDTH SPACE in the host; reads "example.com" without it
// A detail quotes only what is drawn (DrawnText). Without ICU nothing is
// named: the characters cannot be told reliably.

#include <string_view>

#include "compare/disguise.h"

namespace morvik {

// The same two in what the reader is shown for a link (scan), "in the shown
// text", where a joiner inside an emoji sequence does a job too. A shown
// text that is the URL itself was looked at as the URL.
void FindHiddenCharactersInShownText(std::string_view shown, std::string_view url, Disguises& out);

}  // namespace morvik
