#include "report/disguise_cell.h"
#include "report/output_format.h"

namespace morvik {
namespace {

class TsvFormat final : public OutputFormat {
 public:
  explicit TsvFormat(EscapeFor target) : target_(target) {}

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
    bool first = true;
    for (const Field& field : record.fields()) {
      if (!first) out += '\t';
      first = false;
      AppendValue(field, out);
    }
    out += '\n';
  }

 private:
  void AppendTsv(Text& out, std::string_view text) const { AppendEscaped(out, text, target_); }

  void AppendValue(const Field& field, Text& out) {
    switch (field.kind) {
      case FieldKind::Null: return;
      case FieldKind::Text:
        if (field.plain) {
          out += field.text();
        } else {
          AppendTextField(
              out, field, [this](Text& to, std::string_view piece) { AppendTsv(to, piece); });
        }
        return;
      case FieldKind::Number: out += field.text(); return;  // digits and a sign only
      case FieldKind::Bool: out += field.flag ? "true" : "false"; return;
      case FieldKind::List: {
        const char* separator = "";
        for (const char* item : *field.list) {
          out += separator;
          out += item;
          separator = ", ";
        }
        return;
      }
      case FieldKind::Trace: {
        const char* separator = "";
        for (const TraceStep& step : *field.trace) {
          out += separator;
          AppendTsv(out, step.step);
          out += ": ";
          AppendTsv(out, step.text);
          separator = "; ";
        }
        return;
      }
      case FieldKind::Disguises: AppendDisguises(out, *field.disguises, target_); return;
    }
  }

  EscapeFor target_;
};

}  // namespace

std::unique_ptr<OutputFormat> MakeTsvFormat(EscapeFor target) {
  return std::make_unique<TsvFormat>(target);
}

}  // namespace morvik
