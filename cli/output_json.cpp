#include "cli/output_format.h"

namespace morvik {
namespace {

class JsonLinesFormat final : public OutputFormat {
 public:
  void Begin(const Record&, Text&) override {}

  void Write(const Record& record, Text& out) override {
    char separator = '{';
    for (const Field& field : record.fields()) {
      out += separator;
      separator = ',';
      // Field names are the program's own identifiers: nothing to escape.
      out += '"';
      out += field.name;
      out += "\":";
      AppendValue(field, out);
    }
    out += "}\n";
  }

 private:
  void AppendValue(const Field& field, Text& out) const {
    switch (field.kind) {
      case FieldKind::Null: out += "null"; return;
      case FieldKind::Text:
        out += '"';
        if (field.plain) {
          out += field.text();
        } else {
          AppendTextField(out, field, AppendJsonContent);
        }
        out += '"';
        return;
      case FieldKind::Number: out += field.text(); return;
      case FieldKind::Bool: out += field.flag ? "true" : "false"; return;
      case FieldKind::List: {
        char separator = '[';
        for (const char* item : *field.list) {
          out += separator;
          separator = ',';
          AppendJsonString(out, item);
        }
        out += field.list->empty() ? "[]" : "]";
        return;
      }
      case FieldKind::Trace: {
        char separator = '[';
        for (const TraceStep& step : *field.trace) {
          out += separator;
          separator = ',';
          out += "{\"step\":";
          AppendJsonString(out, step.step);
          out += ",\"text\":";
          AppendJsonString(out, step.text);
          out += '}';
        }
        out += field.trace->empty() ? "[]" : "]";
        return;
      }
    }
  }
};

}  // namespace

std::unique_ptr<OutputFormat> MakeJsonLinesFormat() { return std::make_unique<JsonLinesFormat>(); }

}  // namespace morvik
