#include "cli/output_format.h"
#include "cli/text_escape.h"

namespace morvik {
namespace {

constexpr std::string_view kListSeparator = ", ";
constexpr std::string_view kStepSeparator = "; ";
constexpr std::string_view kStepColon = ": ";
// The record counts this much punctuation with each item and step.
static_assert(kListSeparator.size() <= Record::kItemPunctuation);
static_assert(kStepSeparator.size() + kStepColon.size() <= Record::kStepPunctuation);

class TsvFormat final : public OutputFormat {
 public:
  void Begin(const Record& shape, Text& out) override {
    const char* separator = "";
    for (const Field& field : shape.fields()) {
      out += separator;
      out += field.name;
      separator = "\t";
    }
    out += '\n';
  }

  void Write(const Record& record, Text& out) override {
    if (record.value_bytes() > kWholeLineBytes) {
      WriteInPieces(record, out);
      return;
    }
    AppendWritten(out, LineBound(record), [&](char* at) {
      bool first = true;
      for (const Field& field : record.fields()) {
        if (!first) *at++ = '\t';
        first = false;
        at = WriteValue(field, at);
      }
      *at++ = '\n';
      return at;
    });
  }

 private:
  void WriteInPieces(const Record& record, Text& out) const {
    bool first = true;
    for (const Field& field : record.fields()) {
      if (!first) out += '\t';
      first = false;
      if (field.kind == FieldKind::Text && !field.plain && field.text.size() > kPieceBytes) {
        AppendInPieces(
            out,
            field.text,
            EscapedBound,
            [&](char* at, std::string_view piece) {
              return WriteText(at, piece, field.upper_case);
            },
            [&] { Spill(out); });
      } else {
        AppendWritten(out, EscapedBound(Record::ValueBytes(field)), [&](char* at) {
          return WriteValue(field, at);
        });
        Spill(out);
      }
    }
    out += '\n';
  }

  // The most a record's line can take: every value at its most escaped, a
  // tab after each field but the last, and the newline.
  static std::size_t LineBound(const Record& record) {
    return EscapedBound(record.value_bytes()) + record.fields().size();
  }

  static char* WriteText(char* out, std::string_view text, bool upper_case) {
    const auto escape = [](char* at, std::string_view piece) {
      return WriteEscaped(at, piece, EscapeFor::Tsv);
    };
    return upper_case ? WriteUpperCase(out, text, escape) : escape(out, text);
  }

  static char* WriteValue(const Field& field, char* out) {
    switch (field.kind) {
      case FieldKind::Null: return out;
      case FieldKind::Text:
        return field.plain ? WritePlain(out, field.text)
                           : WriteText(out, field.text, field.upper_case);
      case FieldKind::Number: return WritePlain(out, field.text);  // digits and a sign only
      case FieldKind::Bool: return WritePlain(out, field.flag ? "true" : "false");
      case FieldKind::List: {
        std::string_view separator;
        for (const char* item : *field.list) {
          out = WritePlain(WritePlain(out, separator), item);
          separator = kListSeparator;
        }
        return out;
      }
      case FieldKind::Trace: {
        std::string_view separator;
        for (const TraceStep& step : *field.trace) {
          out = WriteEscaped(WritePlain(out, separator), step.step, EscapeFor::Tsv);
          out = WriteEscaped(WritePlain(out, kStepColon), step.text, EscapeFor::Tsv);
          separator = kStepSeparator;
        }
        return out;
      }
    }
    return out;
  }
};

}  // namespace

std::unique_ptr<OutputFormat> MakeTsvFormat() { return std::make_unique<TsvFormat>(); }

}  // namespace morvik
