#pragma once
// Writing untrusted bytes: a URL may hold anything, NUL, control characters
// and bytes that are not UTF-8 included. Each output format gets a form that
// keeps its structure intact and loses no byte.

#include <cstddef>
#include <string_view>

#include "support/text.h"

namespace morvik {

enum class EscapeFor {
  // "\" doubled; tab, line breaks, other controls and bytes that are not
  // UTF-8 as \t, \n, \r, \xNN; every other character as it is.
  Tsv,
  // As Tsv, but every control other than tab and line breaks (C0, DEL, C1),
  // every direction control and every invisible character as "<U+202E>":
  // for a person, whose terminal would act on them, reorder the text or hide
  // them, so that no text can disguise itself or its neighbours. A "<U+"
  // in the text itself is written "\x3cU+".
  Terminal,
};

// The text as one field of a line: no tab or line break survives.
void AppendEscaped(Text& out, std::string_view text, EscapeFor target);
// The same written from `to` on, which needs room for MostEscapedBytes(target)
// bytes for each byte of `text`; returns where it stopped.
char* WriteEscaped(char* to, std::string_view text, EscapeFor target);

// The most bytes one byte of text becomes: "<U+0001>" for a person, "\x01"
// in data.
constexpr std::size_t MostEscapedBytes(EscapeFor target) {
  return target == EscapeFor::Terminal ? 8 : 4;
}

// Text from the input (a file name, a charset a message names) in a line
// for a person: escaped as for a terminal, so that it can neither steer the
// terminal nor reorder the line.
Text Printable(std::string_view text);

// A JSON string literal, quotes included. Controls, direction controls and
// invisible characters are written as \u escapes. Bytes that are not UTF-8 become
// \udc80 to \udcff (the "surrogateescape" convention: Python's
// s.encode("utf-8", "surrogateescape") gives the original bytes back).
void AppendJsonString(Text& out, std::string_view text);
// The inside of a JSON string literal, without its quotes.
void AppendJsonContent(Text& out, std::string_view text);
// The same written from `to` on, with room for kMostJsonEscapedBytes bytes
// for each byte of `text`; returns where it stopped.
char* WriteJsonContent(char* to, std::string_view text);

// "\u0001" or "\udcff" for one byte; a character of two bytes or more
// takes at most three for each.
inline constexpr std::size_t kMostJsonEscapedBytes = 6;

// Where AppendInPieces may cut `text` at most `limit` bytes in: never inside
// a UTF-8 sequence, nor inside a "<U+".
std::size_t PieceLength(std::string_view text, std::size_t limit);

// `write(to, piece)` for `text` upper-cased as the window upper-cases a
// host (UpperCaseText), a small piece at a time, cut where PieceLength
// allows; returns where the last piece stopped. The pieces are made in
// `piece`, which keeps its room from one call to the next. Upper-casing
// keeps every byte's place, so the room `write` needs stays the same.
template <typename Write>
char* WriteUpperCase(char* to, std::string_view text, Text& piece, const Write& write) {
  constexpr std::size_t kPiece = 4096;
  while (!text.empty()) {
    const std::size_t size = PieceLength(text, kPiece);
    piece.assign(text.substr(0, size));
    UpperCaseInPlace(piece);
    to = write(to, std::string_view(piece));
    text.remove_prefix(size);
  }
  return to;
}

// `append(out, piece)` for `text` in pieces of about 16 KiB; `between()`
// runs after each piece (to hand the output on), so that a long text never
// waits whole in `out`.
template <typename Append, typename Between>
void AppendInPieces(Text& out, std::string_view text, const Append& append,
                    const Between& between) {
  constexpr std::size_t kPieceBytes = std::size_t{16} * 1024;
  while (!text.empty()) {
    const std::size_t size = PieceLength(text, kPieceBytes);
    append(out, text.substr(0, size));
    text.remove_prefix(size);
    between();
  }
}

}  // namespace morvik
