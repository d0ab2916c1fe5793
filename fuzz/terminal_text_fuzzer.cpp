// Arbitrary bytes as a person sees them: escaped for the terminal, the text
// holds no control, direction control or invisible character, is valid
// UTF-8, and reads back as the very bytes it came from; in pieces it is
// written as whole; in a table cell it leaves the next cell where it
// belongs; in JSON no character that would hide stays raw. Taken for a URL
// and a link's shown text, the hidden-character details hold none of those
// characters either.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "browser/character_class.h"
#include "browser/reading.h"
#include "compare/disguise_detectors.h"
#include "compare/hidden_characters.h"
#include "fuzz/fuzz_check.h"
#include "report/output_format.h"
#include "report/text_escape.h"
#include "support/utf8.h"

namespace morvik::fuzz {
namespace {

void AppendUtf8(Text& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// The hexadecimal number from `at` to `end`, one to six digits.
std::optional<char32_t> HexNumber(std::string_view text, std::size_t at, std::size_t end) {
  if (end == std::string_view::npos || end == at || end - at > 6) return std::nullopt;
  char32_t value = 0;
  for (std::size_t i = at; i < end; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value;
}

// The bytes a terminal escape stands for; null when the text is not one.
std::optional<Text> Unescape(std::string_view escaped) {
  Text bytes;
  for (std::size_t at = 0; at < escaped.size();) {
    const char c = escaped[at];
    if (c == '<' && escaped.substr(at + 1, 2) == "U+") {
      const std::size_t end = escaped.find('>', at);
      const std::optional<char32_t> code_point = HexNumber(escaped, at + 3, end);
      if (!code_point) return std::nullopt;
      AppendUtf8(bytes, *code_point);
      at = end + 1;
    } else if (c == '\\' && at + 1 < escaped.size()) {
      const char next = escaped[at + 1];
      if (next == 'x') {
        if (at + 4 > escaped.size()) return std::nullopt;
        const std::optional<char32_t> byte = HexNumber(escaped, at + 2, at + 4);
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
        at += 4;
        continue;
      }
      if (next != '\\' && next != 't' && next != 'n' && next != 'r') return std::nullopt;
      bytes += next == '\\' ? '\\' : next == 't' ? '\t' : next == 'n' ? '\n' : '\r';
      at += 2;
    } else if (c == '\\') {
      return std::nullopt;
    } else {
      bytes += c;
      ++at;
    }
  }
  return bytes;
}

// The first character of `text` that would act on a terminal, reorder or
// hide, as "U+202E at 5", or its first byte that is not UTF-8; empty when
// there is none.
Text FirstHidden(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return "a byte that is not UTF-8 at " + std::to_string(at);
    const char32_t code_point = Utf8CodePoint(text.substr(at, length));
    if (ClassifyCharacter(code_point) != CharacterClass::Shown) {
      return CodePointNumber(code_point) + " at " + std::to_string(at);
    }
    at += length;
  }
  return "";
}

void CheckText(std::string_view input) {
  const Text text(input);
  Text escaped;
  AppendEscaped(escaped, text, EscapeFor::Terminal);
  Require(FirstHidden(escaped).empty(),
          "a person's text holds nothing that acts, reorders or hides",
          text,
          FirstHidden(escaped) + " in " + Printable(escaped));
  const std::optional<Text> back = Unescape(escaped);
  Require(back.has_value(), "a person's text is made of known escapes", text, Printable(escaped));
  RequireEqual(*back, text, "a person's text reads back as the bytes it came from", text);

  Text pieces;
  AppendInPieces(
      pieces,
      text,
      [](Text& out, std::string_view piece) { AppendEscaped(out, piece, EscapeFor::Terminal); },
      [] {});
  RequireEqual(pieces, escaped, "in pieces a person's text is escaped as whole", text);

  Record record;
  record.AddText("cell", text);
  record.AddPlainText("next", "next");
  const auto table = MakeTableFormat(
      {{.fields = {"cell"}, .header = "CELL", .width = 20}, {.fields = {"next"}, .header = "N"}},
      80);
  Text row;
  table->Write(record, row);
  Require(row.size() > 26 && row.ends_with("  next\n") && row.find('\n') == row.size() - 1,
          "a table row is one line, its next cell last",
          text,
          Printable(row));
  Require(FirstHidden(row.substr(0, row.size() - 1)).empty(),
          "a table row holds nothing that acts, reorders or hides",
          text,
          Printable(row));

  const BrowserReading browser = ReadAsBrowser(text);
  LinkDisguises disguises;
  FindHiddenCharacters({.url = text, .browser = browser}, disguises);
  FindHiddenCharactersInShownText(text.substr(text.size() / 2), text, disguises.found);
  for (const Disguise& disguise : disguises.found) {
    const Text found = FirstHidden(disguise.detail);
    Require(found.empty(),
            "a detail holds nothing that acts, reorders or hides",
            text,
            found + " in " + Printable(disguise.detail));
  }

  Text json;
  AppendJsonContent(json, text);
  Require(FirstHidden(json).empty(),
          "a JSON string holds nothing raw that acts, reorders or hides",
          text,
          FirstHidden(json) + " in " + Printable(json));
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
