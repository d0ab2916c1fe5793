#include "cli/text_escape.h"

#include "cli/byte_scan.h"
#include "cli/utf8.h"

namespace morvik {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

char* WriteHexByte(char* out, unsigned char byte) {
  out[0] = kHexDigits[byte >> 4];
  out[1] = kHexDigits[byte & 15];
  return out + 2;
}

char* WriteTwo(char* out, char first, char second) {
  out[0] = first;
  out[1] = second;
  return out + 2;
}

// "\u{202e}": at most eight bytes for the three of its UTF-8 sequence, or
// "\u{9b}" for two.
char* WriteCodePoint(char* out, char32_t code_point) {
  out = WritePlain(out, "\\u{");
  int shift = 28;
  while (shift > 0 && (code_point >> shift) == 0) shift -= 4;
  for (; shift >= 0; shift -= 4) *out++ = kHexDigits[(code_point >> shift) & 15];
  *out++ = '}';
  return out;
}

// Code points a terminal acts on instead of showing: C1 controls, and the
// marks and overrides that reorder text (an old trick to disguise a URL).
bool ActsOnTerminal(char32_t code_point) {
  return (code_point >= 0x80 && code_point <= 0x9F) || code_point == 0x200E ||
         code_point == 0x200F || (code_point >= 0x202A && code_point <= 0x202E) ||
         (code_point >= 0x2066 && code_point <= 0x2069);
}

}  // namespace

char* WriteJsonEscapes(char* out, std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (const std::size_t stop = FindUnplainByte(text, at, '"', '\\'); stop > at) {
      out = WritePlain(out, text.substr(at, stop - at));
      at = stop;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    switch (byte) {
      case '"': out = WriteTwo(out, '\\', '"'); break;
      case '\\': out = WriteTwo(out, '\\', '\\'); break;
      case '\n': out = WriteTwo(out, '\\', 'n'); break;
      case '\r': out = WriteTwo(out, '\\', 'r'); break;
      case '\t': out = WriteTwo(out, '\\', 't'); break;
      default:
        length = byte < 0x20 ? 0 : Utf8SequenceLength(text, at);
        if (length == 0) {  // a control character, or a byte that is not UTF-8
          out = WritePlain(out, byte < 0x20 ? "\\u00" : "\\udc");
          out = WriteHexByte(out, byte);
          length = 1;
        } else {
          out = WritePlain(out, text.substr(at, length));
        }
    }
    at += length;
  }
  return out;
}

char* WriteEscapes(char* out, std::string_view text, EscapeFor target) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (const std::size_t stop = FindUnplainByte(text, at, '\\', '\\'); stop > at) {
      out = WritePlain(out, text.substr(at, stop - at));
      at = stop;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    switch (byte) {
      case '\\': out = WriteTwo(out, '\\', '\\'); break;
      case '\t': out = WriteTwo(out, '\\', 't'); break;
      case '\n': out = WriteTwo(out, '\\', 'n'); break;
      case '\r': out = WriteTwo(out, '\\', 'r'); break;
      default:
        length = byte < 0x80 ? 0 : Utf8SequenceLength(text, at);
        if (length == 0) {  // a control character, DEL, or a byte that is not UTF-8
          out = WriteHexByte(WriteTwo(out, '\\', 'x'), byte);
          length = 1;
        } else if (const char32_t code_point = Utf8CodePoint(text.substr(at, length));
                   target == EscapeFor::Terminal && ActsOnTerminal(code_point)) {
          out = WriteCodePoint(out, code_point);
        } else {
          out = WritePlain(out, text.substr(at, length));
        }
    }
    at += length;
  }
  return out;
}

void AppendJsonString(Text& out, std::string_view text) {
  AppendWritten(
      out, JsonStringBound(text.size()), [&](char* at) { return WriteJsonString(at, text); });
}

void AppendEscaped(Text& out, std::string_view text, EscapeFor target) {
  AppendWritten(
      out, EscapedBound(text.size()), [&](char* at) { return WriteEscaped(at, text, target); });
}

}  // namespace morvik
