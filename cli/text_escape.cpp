#include "cli/text_escape.h"

#include <cstdio>

#include "cli/byte_scan.h"
#include "cli/utf8.h"

namespace morvik {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(Text& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

// Code points a terminal acts on instead of showing: C1 controls, and the
// marks and overrides that reorder text (an old trick to disguise a URL).
bool ActsOnTerminal(char32_t code_point) {
  return (code_point >= 0x80 && code_point <= 0x9F) || code_point == 0x200E ||
         code_point == 0x200F || (code_point >= 0x202A && code_point <= 0x202E) ||
         (code_point >= 0x2066 && code_point <= 0x2069);
}

}  // namespace

void AppendJsonString(Text& out, std::string_view text) {
  out += '"';
  std::size_t at = 0;
  while (at < text.size()) {
    if (const std::size_t stop = FindUnplainByte(text, at, '"', '\\'); stop > at) {
      out.append(text.data() + at, stop - at);
      at = stop;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    switch (byte) {
      case '"':
        out += "\\\"";
        ++at;
        continue;
      case '\\':
        out += "\\\\";
        ++at;
        continue;
      case '\n':
        out += "\\n";
        ++at;
        continue;
      case '\r':
        out += "\\r";
        ++at;
        continue;
      case '\t':
        out += "\\t";
        ++at;
        continue;
      default: break;
    }
    if (byte < 0x20) {
      out += "\\u00";
      AppendHexByte(out, byte);
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) {
      out += "\\udc";
      AppendHexByte(out, byte);
      ++at;
      continue;
    }
    out.append(text.data() + at, length);
    at += length;
  }
  out += '"';
}

void AppendEscaped(Text& out, std::string_view text, EscapeFor target) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (const std::size_t stop = FindUnplainByte(text, at, '\\', '\\'); stop > at) {
      out.append(text.data() + at, stop - at);
      at = stop;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    switch (byte) {
      case '\\':
        out += "\\\\";
        ++at;
        continue;
      case '\t':
        out += "\\t";
        ++at;
        continue;
      case '\n':
        out += "\\n";
        ++at;
        continue;
      case '\r':
        out += "\\r";
        ++at;
        continue;
      default: break;
    }
    const std::size_t length = byte < 0x80 ? 0 : Utf8SequenceLength(text, at);
    if (length == 0) {  // a control character, DEL, or a byte that is not UTF-8
      out += "\\x";
      AppendHexByte(out, byte);
      ++at;
      continue;
    }
    const char32_t code_point = Utf8CodePoint(text.substr(at, length));
    if (target == EscapeFor::Terminal && ActsOnTerminal(code_point)) {
      char escaped[16];
      std::snprintf(escaped, sizeof escaped, "\\u{%x}", static_cast<unsigned>(code_point));
      out += escaped;
    } else {
      out.append(text.data() + at, length);
    }
    at += length;
  }
}

}  // namespace morvik
