#include "report/text_escape.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "browser/character_class.h"
#include "report/line_writer.h"
#include "support/utf8.h"

namespace morvik {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

char* Put(char* to, std::string_view text) { return CopyText(to, text); }

char* PutHexByte(char* to, unsigned char byte) {
  *to++ = kHexDigits[byte >> 4];
  *to++ = kHexDigits[byte & 15];
  return to;
}

// "<U+202E>": a character that would act on the terminal or hide, named.
char* PutVisibleEscape(char* to, char32_t code_point) {
  *to++ = '<';
  to = Put(to, CodePointNumber(code_point));
  *to++ = '>';
  return to;
}

// "\u202e"; a pair of surrogates above U+FFFF.
char* PutJsonEscape(char* to, char32_t code_point) {
  const auto unit = [&to](char32_t value) {
    to = Put(to, "\\u");
    to = PutHexByte(to, static_cast<unsigned char>(value >> 8));
    to = PutHexByte(to, static_cast<unsigned char>(value & 0xFF));
  };
  if (code_point < 0x10000) {
    unit(code_point);
  } else {
    unit(0xD800 + ((code_point - 0x10000) >> 10));
    unit(0xDC00 + ((code_point - 0x10000) & 0x3FF));
  }
  return to;
}

// What the reader of the output would not see as it is: a control, a
// direction control, a character that draws nothing.
bool IsHiddenOnScreen(char32_t code_point) {
  return ClassifyCharacter(code_point) != CharacterClass::Shown;
}

// The end of the run of plain bytes from `at` on.
std::size_t PlainRunEnd(std::string_view text, std::size_t at, char quote) {
#if defined(__SSE2__)
  // Sixteen bytes a step, a short text's end included. Measured worth: 10 % of the whole
  // program's TSV time; the end, 4 % of its instructions (callgrind, 20,000 URLs).
  // One more than a byte, as a signed byte, is below 0x21 exactly for the
  // controls, DEL and the bytes from 0x80 on.
  const __m128i one = _mm_set1_epi8(1);
  const __m128i space_and_one = _mm_set1_epi8(0x21);
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i quotes = _mm_set1_epi8(quote);
  // Bit i set: the byte at `from[i]` is not plain.
  const auto unplain_bits = [&](const char* from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i unplain =
        _mm_or_si128(_mm_cmplt_epi8(_mm_add_epi8(bytes, one), space_and_one),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, backslash), _mm_cmpeq_epi8(bytes, quotes)));
    return static_cast<unsigned>(_mm_movemask_epi8(unplain));
  };
  for (; at + 16 <= text.size(); at += 16) {
    if (const unsigned bits = unplain_bits(text.data() + at); bits != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(bits));
    }
  }
  if (at == text.size()) return at;
  // Fewer than sixteen bytes are left: the last sixteen of a long text, of
  // which the first were seen already, or the rest copied into a block
  // padded with plain bytes.
  unsigned bits = 0;
  if (text.size() >= 16) {
    const std::size_t last = text.size() - 16;
    bits = unplain_bits(text.data() + last) >> (at - last);
  } else {
    char block[16];
    std::memset(block, 'a', sizeof block);
    std::memcpy(block, text.data() + at, text.size() - at);
    bits = unplain_bits(block);
  }
  return bits != 0 ? at + static_cast<std::size_t>(std::countr_zero(bits)) : text.size();
#else
  // Printable ASCII other than "\\" and `quote` is written as it stands.
  const auto is_plain = [quote](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F && c != '\\' && c != quote;
  };
  while (at < text.size() && is_plain(text[at])) ++at;
  return at;
#endif
}

// Both escapers keep runs of bytes that need no escape, well-formed UTF-8
// included, and copy each run whole.
}  // namespace

char* WriteJsonContent(char* to, std::string_view text) {
  std::size_t kept = 0;  // the bytes before it are written
  for (std::size_t at = PlainRunEnd(text, 0, '"'); at < text.size();
       at = PlainRunEnd(text, at, '"')) {
    const auto byte = static_cast<unsigned char>(text[at]);
    // Well-formed UTF-8 needs no escape in JSON; what would be hidden on
    // screen (DEL, C1, direction controls, invisible characters) gets one
    // all the same, so that a person reading the line sees it.
    const std::size_t length = Utf8SequenceLength(text, at);
    const char32_t code_point = length > 0 ? Utf8CodePoint(text.substr(at, length)) : byte;
    if (byte >= 0x80 && length > 0 && !IsHiddenOnScreen(code_point)) {
      at += length;
      continue;
    }
    to = Put(to, text.substr(kept, at - kept));
    switch (byte) {
      case '"': to = Put(to, "\\\""); break;
      case '\\': to = Put(to, "\\\\"); break;
      case '\n': to = Put(to, "\\n"); break;
      case '\r': to = Put(to, "\\r"); break;
      case '\t': to = Put(to, "\\t"); break;
      default:
        if (length > 0) {  // a control character, or a character hidden on screen
          to = PutJsonEscape(to, code_point);
        } else {  // a byte that is not UTF-8
          to = PutHexByte(Put(to, "\\udc"), byte);
        }
    }
    at = kept = at + std::max<std::size_t>(1, length);
  }
  return Put(to, text.substr(kept));
}

char* WriteEscaped(char* to, std::string_view text, EscapeFor target) {
  const bool visible = target == EscapeFor::Terminal;
  // For a person, a "<" also stops the run: one that begins "<U+" in the
  // text itself is escaped, so that it cannot pass for one of ours.
  const char stop = visible ? '<' : '\\';
  std::size_t kept = 0;  // the bytes before it are written
  for (std::size_t at = PlainRunEnd(text, 0, stop); at < text.size();
       at = PlainRunEnd(text, at, stop)) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == '<' && text.substr(at + 1, 2) != "U+") {
      ++at;
      continue;
    }
    const std::size_t length = byte < 0x80 ? 0 : Utf8SequenceLength(text, at);
    const char32_t code_point = length > 0 ? Utf8CodePoint(text.substr(at, length)) : byte;
    const bool hidden = visible && length > 0 && IsHiddenOnScreen(code_point);
    if (length > 0 && !hidden) {
      at += length;
      continue;
    }
    to = Put(to, text.substr(kept, at - kept));
    switch (byte) {
      case '\\': to = Put(to, "\\\\"); break;
      case '\t': to = Put(to, "\\t"); break;
      case '\n': to = Put(to, "\\n"); break;
      case '\r': to = Put(to, "\\r"); break;
      default:
        if (byte == '<') {
          to = Put(to, "\\x3c");
        } else if (hidden || (visible && byte < 0x80)) {  // a control, DEL, or hidden on screen
          to = PutVisibleEscape(to, code_point);
        } else {  // a control character or DEL in data, or a byte that is not UTF-8
          to = PutHexByte(Put(to, "\\x"), byte);
        }
    }
    at = kept = at + std::max<std::size_t>(1, length);
  }
  return Put(to, text.substr(kept));
}

namespace {

// A long text a piece at a time: the room made for its escapes stays small.
template <typename Write>
void AppendWrittenInPieces(Text& out, std::string_view text, std::size_t most_per_byte,
                           const Write& write) {
  constexpr std::size_t kPiece = 4096;
  while (!text.empty()) {
    const std::string_view piece = text.substr(0, PieceLength(text, kPiece));
    AppendWritten(out, most_per_byte * piece.size(), [&](char* to) { return write(to, piece); });
    text.remove_prefix(piece.size());
  }
}

}  // namespace

void AppendJsonContent(Text& out, std::string_view text) {
  AppendWrittenInPieces(out, text, kMostJsonEscapedBytes, WriteJsonContent);
}

void AppendJsonString(Text& out, std::string_view text) {
  out += '"';
  AppendJsonContent(out, text);
  out += '"';
}

void AppendEscaped(Text& out, std::string_view text, EscapeFor target) {
  AppendWrittenInPieces(
      out, text, MostEscapedBytes(target), [target](char* to, std::string_view piece) {
        return WriteEscaped(to, piece, target);
      });
}

std::size_t PieceLength(std::string_view text, std::size_t limit) {
  std::size_t size = std::min(text.size(), limit);
  // A sequence has at most three continuation bytes; more in a row are not
  // UTF-8 and are escaped one by one wherever the cut falls.
  for (int back = 0; back < 3 && size < text.size() && size > 1 &&
                     (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80;
       ++back) {
    --size;
  }
  // Nor inside a "<U+", which a person's escape must see whole.
  if (size < text.size() && size > 2 && text[size - 1] == '<') {
    size -= 1;
  } else if (size < text.size() && size > 2 && text.substr(size - 2, 2) == "<U") {
    size -= 2;
  }
  return size;
}

Text Printable(std::string_view text) {
  Text printable;
  AppendEscaped(printable, text, EscapeFor::Terminal);
  return printable;
}

}  // namespace morvik
