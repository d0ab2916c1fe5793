#include "cli/output_format.h"
#include "cli/text_escape.h"

namespace morvik {
namespace {

class JsonLinesFormat final : public OutputFormat {
 public:
  void Begin(const Record&, Text&) override {}

  void Write(const Record& record, Text& out) override {
    if (record.value_bytes() > kWholeLineBytes) {
      WriteInPieces(record, out);
      return;
    }
    AppendWritten(out, LineBound(record), [&](char* at) {
      char separator = '{';
      for (const Field& field : record.fields()) {
        *at++ = separator;
        separator = ',';
        // Field names are the program's own identifiers: nothing to escape.
        *at++ = '"';
        at = WritePlain(at, field.name);
        at = WritePlain(at, "\":");
        at = WriteValue(field, at);
      }
      return WritePlain(at, "}\n");
    });
  }

 private:
  void WriteInPieces(const Record& record, Text& out) const {
    char separator = '{';
    for (const Field& field : record.fields()) {
      out += separator;
      separator = ',';
      out += '"';
      out += field.name;
      out += "\":";
      if (field.kind == FieldKind::Text && !field.plain && field.text.size() > kPieceBytes) {
        out += '"';
        AppendInPieces(
            out,
            field.text,
            [](std::size_t size) { return JsonStringBound(size); },
            [&](char* at, std::string_view piece) {
              return field.upper_case ? WriteUpperCase(at, piece, WriteJsonContent)
                                      : WriteJsonContent(at, piece);
            },
            [&] { Spill(out); });
        out += '"';
      } else {
        // Quotes, brackets, keys and commas of list items and trace steps
        // are within their counted punctuation; "null" within the bound of 0.
        AppendWritten(out, JsonStringBound(Record::ValueBytes(field)) + 4, [&](char* at) {
          return WriteValue(field, at);
        });
        Spill(out);
      }
    }
    out += "}\n";
  }

  // The most a record's line can take: every value at its most escaped (a
  // list item's or trace step's punctuation, counted in value_bytes, covers
  // its quotes, commas and keys), the names, and per field its punctuation
  // and "null" or quotes; then "}\n".
  static std::size_t LineBound(const Record& record) {
    constexpr std::size_t kPerField = std::string_view(",\"\":null").size();
    return JsonStringBound(record.value_bytes()) + record.name_bytes() +
           kPerField * record.fields().size() + 2;
  }

  static char* WriteValue(const Field& field, char* out) {
    switch (field.kind) {
      case FieldKind::Null: return WritePlain(out, "null");
      case FieldKind::Text:
        if (field.plain) {
          *out++ = '"';
          out = WritePlain(out, field.text);
          *out++ = '"';
          return out;
        }
        if (field.upper_case) {
          *out++ = '"';
          out = WriteUpperCase(out, field.text, WriteJsonContent);
          *out++ = '"';
          return out;
        }
        return WriteJsonString(out, field.text);
      case FieldKind::Number: return WritePlain(out, field.text);
      case FieldKind::Bool: return WritePlain(out, field.flag ? "true" : "false");
      case FieldKind::List: {
        char separator = '[';
        for (const char* item : *field.list) {
          *out++ = separator;
          separator = ',';
          out = WriteJsonString(out, item);
        }
        return WritePlain(out, field.list->empty() ? "[]" : "]");
      }
      case FieldKind::Trace: {
        char separator = '[';
        for (const TraceStep& step : *field.trace) {
          *out++ = separator;
          separator = ',';
          out = WriteJsonString(WritePlain(out, "{\"step\":"), step.step);
          out = WriteJsonString(WritePlain(out, ",\"text\":"), step.text);
          *out++ = '}';
        }
        return WritePlain(out, field.trace->empty() ? "[]" : "]");
      }
    }
    return out;
  }
};

}  // namespace

std::unique_ptr<OutputFormat> MakeJsonLinesFormat() { return std::make_unique<JsonLinesFormat>(); }

}  // namespace morvik
