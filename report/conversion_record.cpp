#include "report/conversion_record.h"

#include "support/refang.h"

namespace morvik {

void DescribeConversion(std::string_view source, std::int64_t line, const Conversion& conversion,
                        bool defang, Record& record) {
  record.Clear();
  record.AddText("source", source);
  record.AddNumber("line", line);
  if (defang && conversion.notation == Notation::Dotted) {
    record.AddOwnedText("input", DefangHost(conversion.input));
  } else {
    record.AddText("input", conversion.input);
  }
  record.AddText("notation", NotationName(conversion.notation));
  if (defang) {
    record.AddOwnedText("dotted", DefangHost(conversion.dotted));
  } else {
    record.AddText("dotted", conversion.dotted);
  }
  record.AddText("decimal", conversion.decimal);
  record.AddText("hex", conversion.hex);
  if (conversion.note.empty()) {
    record.AddNull("note");
  } else {
    record.AddText("note", conversion.note);
  }
}

}  // namespace morvik
