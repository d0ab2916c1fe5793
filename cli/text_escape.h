#pragma once
// Writing untrusted bytes: a URL may hold anything, NUL, control characters
// and bytes that are not UTF-8 included. Each output format gets a form that
// keeps its structure intact and loses no byte.
//
// The Write forms write into room the caller has made, at most the
// ...Bound(size) bytes for `size` input bytes, and return the end of what
// they wrote: a record is written with one allocation check, not one per
// piece. The Append forms do that for a single text.

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "support/text.h"

namespace morvik {

// A JSON string literal, quotes included. Bytes that are not UTF-8 become
// \udc80 to \udcff (the "surrogateescape" convention: Python's
// s.encode("utf-8", "surrogateescape") gives the original bytes back).
constexpr std::size_t JsonStringBound(std::size_t size) { return 2 + 6 * size; }  // \u00NN
char* WriteJsonString(char* out, std::string_view text);
void AppendJsonString(Text& out, std::string_view text);

enum class EscapeFor {
  Tsv,  // "\" doubled; tab, line breaks, other controls and bytes that are not UTF-8 as \t, \n, \r,
        // \xNN
  Terminal,  // as Tsv, and also C1 controls and bidirectional overrides as \u{...}, which could
             // disguise or recolour what the terminal shows
};

// The text as one field of a line: no tab or line break survives. A byte
// grows to four at most ("\xNN"; "\u{202e}" stands for three bytes).
constexpr std::size_t EscapedBound(std::size_t size) { return 4 * size; }
char* WriteEscaped(char* out, std::string_view text, EscapeFor target);
void AppendEscaped(Text& out, std::string_view text, EscapeFor target);

// Copies `text` as it stands.
inline char* WritePlain(char* out, std::string_view text) {
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// Makes room for `bound` more bytes at the end of `out` and hands `write`
// the place to write them; `out` ends where `write` says it stopped.
template <typename Writer>
void AppendWritten(Text& out, std::size_t bound, const Writer& write) {
  const std::size_t start = out.size();
  out.resize(start + bound);
  char* const end = write(out.data() + start);
  // Writing past the room would corrupt memory: a bound that is too small
  // is a fault to stop at, never to carry on with.
  if (end > out.data() + out.size()) std::abort();
  out.resize(static_cast<std::size_t>(end - out.data()));
}

}  // namespace morvik
