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

// 0 to 15 for 0-9, a-f and A-F; -1 for any other byte.
int HexDigit(char c);

// Blanks (0x20) only; TAB, CR and LF stay.
Text TrimLeadingBlanks(const Text& text);
Text TrimTrailingBlanks(const Text& text);

// Without the ASCII white space around it (space, TAB, LF, FF, CR).
std::string_view TrimAsciiWhitespace(std::string_view text);

// A one-character text holding the low 8 bits of `code` (0 gives a NUL byte).
Text CharText(std::int64_t code);

}  // namespace morvik
