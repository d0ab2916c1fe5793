#pragma once
// Writing untrusted bytes: a URL may hold anything, NUL, control characters
// and bytes that are not UTF-8 included. Each output format gets a form that
// keeps its structure intact and loses no byte.

#include <string_view>

#include "support/text.h"

namespace morvik {

// A JSON string literal, quotes included. Bytes that are not UTF-8 become
// \udc80 to \udcff (the "surrogateescape" convention: Python's
// s.encode("utf-8", "surrogateescape") gives the original bytes back).
void AppendJsonString(Text& out, std::string_view text);

enum class EscapeFor {
  Tsv,  // "\" doubled; tab, line breaks, other controls and bytes that are not UTF-8 as \t, \n, \r,
        // \xNN
  Terminal,  // as Tsv, and also C1 controls and bidirectional overrides as \u{...}, which could
             // disguise or recolour what the terminal shows
};

// The text as one field of a line: no tab or line break survives.
void AppendEscaped(Text& out, std::string_view text, EscapeFor target);

}  // namespace morvik
