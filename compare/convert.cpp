#include "compare/convert.h"

#include <string>

#include "compare/correction_recorder.h"
#include "ipv4/host.h"
#include "ipv4/notation.h"

namespace morvik {
namespace {

bool HasHexLetter(std::string_view text) {
  return text.find_first_of("abcdefABCDEF") != std::string_view::npos;
}

bool HasHexPrefix(std::string_view text) {
  return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

void AddNote(Text& note, const Text& more) {
  if (!note.empty()) note += "; ";
  note += more;
}

}  // namespace

const char* NotationName(Notation notation) {
  switch (notation) {
    case Notation::Dotted: return "dotted";
    case Notation::Decimal: return "decimal";
    case Notation::Hex: return "hex";
  }
  return "";
}

Conversion ConvertAddress(std::string_view input) {
  Conversion conversion;
  conversion.input = Text(input);
  const CorrectionRecorder recorder;
  if (input.find('.') != std::string_view::npos) {
    conversion.notation = Notation::Dotted;
    if (!IsDottedAddress(conversion.input))
      AddNote(conversion.note, "not strict dotted text; read loosely");
    conversion.dotted = HexToDotted(DottedToHex(conversion.input));
  } else if (HasHexPrefix(input) || HasHexLetter(input)) {
    conversion.notation = Notation::Hex;
    if (HasHexPrefix(input)) {
      input.remove_prefix(2);
      AddNote(conversion.note, "0x prefix dropped");
    }
    conversion.dotted = HexToDotted(Text(input));
    if (recorder.corrected_text()) AddNote(conversion.note, "cut to " + *recorder.corrected_text());
  } else {
    conversion.notation = Notation::Decimal;
    conversion.dotted = DecimalToDotted(conversion.input);
    if (recorder.corrected_text()) {
      AddNote(conversion.note, "over range, corrected to " + *recorder.corrected_text());
    }
  }
  conversion.decimal = DottedToDecimal(conversion.dotted);
  conversion.hex = DottedToHex(conversion.dotted);
  return conversion;
}

}  // namespace morvik
