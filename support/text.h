#pragma once
// Text operations with 1-based positions.
//
// A text is any sequence of bytes (NUL included). The results at the edges
// (position 0, a length of -1, an empty text or pattern) are part of the
// contract: the URL and address code relies on them to cut texts apart.

#include <cstdint>
#include <string>
#include <string_view>

namespace morvik {

using Text = std::string;
using Position = std::int64_t;  // 1 is the first character; 0 means "none"

Position TextLength(const Text& text);

// Piece of `text` from `start` (1-based; negative counts from the end, 0 gives
// "") with at most `length` characters; `length` is taken as an unsigned
// 32-bit count, so -1 means "to the end".
Text TextSlice(const Text& text, Position start, std::int64_t length);

// The last `count` characters (`count` taken as unsigned), or all of `text`.
Text TextTail(const Text& text, std::int64_t count);

// First occurrence of `pattern` at or after `start`; 0 when there is none,
// also for an empty text or a start behind its end. An empty pattern is found
// at `start` itself. A start of 0 or below counts as 1.
Position FindText(Position start, const Text& text, const Text& pattern);

// First character at or after `start` that occurs in `set`; 0 when none, with
// the same start rules as FindText (an empty set is found at `start`).
Position FindAnyOf(Position start, const Text& text, const Text& set);

// Non-overlapping occurrences from left to right; an empty pattern counts 0.
std::int64_t CountText(const Text& text, const Text& pattern);

// Replaces every non-overlapping occurrence in one pass; the replacement is
// never searched again within the same call.
Text ReplaceText(const Text& text, const Text& pattern, const Text& replacement);

// a-z to A-Z, plus the seven lower-case letters of code page 437 that have
// upper-case partners; every other byte is kept.
Text UpperCaseText(std::string_view text);
// The same, in `text` itself (a buffer kept from call to call).
void UpperCaseInPlace(Text& text);

// A-Z to a-z and nothing else: host names and schemes compare without
// regard to ASCII case, and bytes outside A-Z (UTF-8 included) stay.
Text AsciiLowerCase(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// Every byte below 0x80 (true for an empty text).
bool IsAscii(std::string_view text);

// ASCII classes, whatever the locale.
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// 0 to 15 for 0-9, a-f and A-F; -1 for any other byte.
constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A percent-escape: "%" and two hexadecimal digits, starting at `at`.
constexpr bool IsPercentEscapeAt(std::string_view text, std::size_t at) {
  return at + 2 < text.size() && text[at] == '%' && HexDigit(text[at + 1]) >= 0 &&
         HexDigit(text[at + 2]) >= 0;
}
// The byte the escape at `at` stands for (IsPercentEscapeAt must hold).
constexpr char PercentEscapeValue(std::string_view text, std::size_t at) {
  return static_cast<char>(HexDigit(text[at + 1]) * 16 + HexDigit(text[at + 2]));
}

// Blanks (0x20) only; TAB, CR and LF stay.
Text TrimLeadingBlanks(const Text& text);
Text TrimTrailingBlanks(const Text& text);

// Without the ASCII white space around it (space, TAB, LF, FF, CR).
std::string_view TrimAsciiWhitespace(std::string_view text);

// A one-character text holding the low 8 bits of `code` (0 gives a NUL byte).
Text CharText(std::int64_t code);

}  // namespace morvik
