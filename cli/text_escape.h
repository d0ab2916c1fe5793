#pragma once
// Writing untrusted bytes: a URL may hold anything, NUL, control characters
// and bytes that are not UTF-8 included. Each output format gets a form that
// keeps its structure intact and loses no byte.
//
// The Write forms write into room the caller has made, at most the
// ...Bound(size) bytes for `size` input bytes, and return the end of what
// they wrote: a record is written with one allocation check, not one per
// piece. The Append forms do that for a single text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "cli/byte_scan.h"
#include "support/text.h"

namespace morvik {

// Copies `text` as it stands. Most pieces of a line are short (names,
// hosts, notations), and copying them as two overlapping words costs less
// than a call to memcpy.
inline char* WritePlain(char* out, std::string_view text) {
  const char* const from = text.data();
  const std::size_t size = text.size();
  const auto copy_as_two = [&]<typename Word>(Word) {
    Word front;
    Word back;
    std::memcpy(&front, from, sizeof(Word));
    std::memcpy(&back, from + size - sizeof(Word), sizeof(Word));
    std::memcpy(out, &front, sizeof(Word));
    std::memcpy(out + size - sizeof(Word), &back, sizeof(Word));
  };
  if (size > 16) {
    std::memcpy(out, from, size);
  } else if (size >= 8) {
    copy_as_two(std::uint64_t{});
  } else if (size >= 4) {
    copy_as_two(std::uint32_t{});
  } else {
    for (std::size_t i = 0; i < size; ++i) out[i] = from[i];
  }
  return out + size;
}

enum class EscapeFor {
  Tsv,  // "\" doubled; tab, line breaks, other controls and bytes that are not UTF-8 as \t, \n, \r,
        // \xNN
  Terminal,  // as Tsv, and also C1 controls and bidirectional overrides as \u{...}, which could
             // disguise or recolour what the terminal shows
};

// The rest of a text from its first byte that needs escaping on; see
// WriteJsonString and WriteEscaped.
char* WriteJsonEscapes(char* out, std::string_view text);
char* WriteEscapes(char* out, std::string_view text, EscapeFor target);

// A JSON string literal, quotes included. Bytes that are not UTF-8 become
// \udc80 to \udcff (the "surrogateescape" convention: Python's
// s.encode("utf-8", "surrogateescape") gives the original bytes back).
// Most texts need no escape at all: they are scanned inline, where the
// scan's constants stay in registers across a line's fields, and copied at
// once.
constexpr std::size_t JsonStringBound(std::size_t size) { return 2 + 6 * size; }  // \u00NN
inline char* WriteJsonString(char* out, std::string_view text) {
  *out++ = '"';
  const std::size_t plain = FindUnplainByte(text, 0, '"', '\\');
  out = WritePlain(out, text.substr(0, plain));
  if (plain < text.size()) out = WriteJsonEscapes(out, text.substr(plain));
  *out++ = '"';
  return out;
}
void AppendJsonString(Text& out, std::string_view text);

// The text as one field of a line: no tab or line break survives. A byte
// grows to four at most ("\xNN"; "\u{202e}" stands for three bytes).
constexpr std::size_t EscapedBound(std::size_t size) { return 4 * size; }
inline char* WriteEscaped(char* out, std::string_view text, EscapeFor target) {
  const std::size_t plain = FindUnplainByte(text, 0, '\\', '\\');
  out = WritePlain(out, text.substr(0, plain));
  return plain < text.size() ? WriteEscapes(out, text.substr(plain), target) : out;
}
void AppendEscaped(Text& out, std::string_view text, EscapeFor target);

// The inside of a JSON string literal, without its quotes.
inline char* WriteJsonContent(char* out, std::string_view text) {
  const std::size_t plain = FindUnplainByte(text, 0, '"', '\\');
  out = WritePlain(out, text.substr(0, plain));
  return plain < text.size() ? WriteJsonEscapes(out, text.substr(plain)) : out;
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

namespace morvik {

// `write(out, piece)` for `text` with its ASCII letters made capital, a
// small piece at a time.
template <typename Writer>
char* WriteUpperCase(char* out, std::string_view text, const Writer& write) {
  char buffer[4096];
  while (!text.empty()) {
    const std::size_t size = std::min(text.size(), sizeof buffer);
    for (std::size_t i = 0; i < size; ++i) {
      const char c = text[i];
      buffer[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
    }
    out = write(out, std::string_view(buffer, size));
    text.remove_prefix(size);
  }
  return out;
}

// Long texts are written a piece at a time, so that the room made for their
// escapes stays small whatever the length of the text.
inline constexpr std::size_t kPieceBytes = std::size_t{16} * 1024;

// Appends `text` as `write(at, piece)` writes it, at most `bound(size)`
// bytes for a piece of `size` bytes, in pieces of about kPieceBytes that
// never split a UTF-8 sequence; `between()` runs after each piece (to hand
// the output on).
template <typename Writer, typename Bound, typename Between>
void AppendInPieces(Text& out, std::string_view text, const Bound& bound, const Writer& write,
                    const Between& between) {
  while (!text.empty()) {
    std::size_t size = std::min(text.size(), kPieceBytes);
    // A sequence has at most three continuation bytes; more in a row are
    // not UTF-8 and are escaped one by one wherever the cut falls.
    for (int back = 0; back < 3 && size < text.size() && size > 1 &&
                       (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80;
         ++back) {
      --size;
    }
    const std::string_view piece = text.substr(0, size);
    AppendWritten(out, bound(size), [&](char* at) { return write(at, piece); });
    text.remove_prefix(size);
    between();
  }
}

}  // namespace morvik
