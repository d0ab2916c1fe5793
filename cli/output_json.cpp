#include <span>

#include "cli/output_format.h"

namespace morvik {
namespace {

class JsonLinesFormat final : public OutputFormat {
 public:
  // Every record has the fields of `shape`: their keys are composed here
  // once instead of on each line.
  void Begin(const Record& shape, Text&) override {
    keys_.clear();
    for (const Field& field : shape.fields()) {
      keys_.push_back({field.name, Key(field.name, keys_.empty())});
    }
  }

  void Write(const Record& record, Text& out) override {
    const std::span<const Field> fields = record.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const Field& field = fields[i];
      const std::string_view key = i < keys_.size() && IsNamed(keys_[i], field.name)
                                       ? std::string_view(keys_[i].text)
                                       : (unknown_key_ = Key(field.name, i == 0));
      // A text's opening quote goes out with its key.
      out += field.kind == FieldKind::Text ? key : key.substr(0, key.size() - 1);
      AppendValue(field, out);
    }
    out += "}\n";
  }

 private:
  struct PreparedKey {
    std::string_view name;
    Text text;
  };

  // `{"name":"` for the first field, `,"name":"` for the others. Field
  // names are the program's own identifiers: nothing to escape.
  static Text Key(std::string_view name, bool first) {
    Text key(first ? "{\"" : ",\"");
    key += name;
    key += "\":\"";
    return key;
  }

  // Names are literals: the same literal is found by its address, without
  // comparing the bytes.
  static bool IsNamed(const PreparedKey& key, std::string_view name) {
    return key.name.size() == name.size() && (key.name.data() == name.data() || key.name == name);
  }

  // The value, but for a text's opening quote.
  void AppendValue(const Field& field, Text& out) {
    switch (field.kind) {
      case FieldKind::Null: out += "null"; return;
      case FieldKind::Text:
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

  std::vector<PreparedKey> keys_;
  Text unknown_key_;  // the key of a field that the shape did not have
};

}  // namespace

std::unique_ptr<OutputFormat> MakeJsonLinesFormat() { return std::make_unique<JsonLinesFormat>(); }

}  // namespace morvik
