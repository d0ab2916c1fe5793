#include <span>
#include <utility>

#include "report/output_format.h"

namespace morvik {
namespace {

class JsonLinesFormat final : public OutputFormat {
 public:
  // Every record has the fields of `shape`: their names are composed into
  // the punctuation around them here, once, instead of on each line.
  void Begin(const Record& shape, Text&) override {
    names_.clear();
    for (const Field& field : shape.fields()) {
      names_.push_back(ComposeName(field.name, names_.empty()));
    }
  }

  // A field's name, the quotes of the texts on either side and a null value
  // go out in one piece. Measured worth: 10 % of the JSON line's instructions.
  void Write(const Record& record, Text& out) override {
    const std::span<const Field> fields = record.fields();
    bool after_text = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const Field& field = fields[i];
      const ComposedName& name = i < names_.size() && IsNamed(names_[i], field.name)
                                     ? names_[i]
                                     : (unknown_name_ = ComposeName(field.name, i == 0));
      std::string_view piece = field.kind == FieldKind::Null ? name.with_null : name.with_quotes;
      if (!after_text) piece.remove_prefix(1);
      if (field.kind != FieldKind::Null && field.kind != FieldKind::Text) piece.remove_suffix(1);
      out += piece;
      AppendValue(field, out);
      after_text = field.kind == FieldKind::Text;
    }
    out += after_text ? "\"}\n" : "}\n";
  }

 private:
  struct ComposedName {
    std::string_view name;
    Text with_quotes;  // `","name":"`: the quote that ends a text before it, and begins its own
    Text with_null;    // `","name":null`
  };

  // With "{" instead of "," for the first field. Field names are the
  // program's own identifiers: nothing to escape.
  static ComposedName ComposeName(std::string_view name, bool first) {
    Text key(first ? "\"{\"" : "\",\"");
    key += name;
    key += "\":";
    return {name, key + '"', key + "null"};
  }

  // Names are literals: the same literal is found by its address, without
  // comparing the bytes.
  static bool IsNamed(const ComposedName& composed, std::string_view name) {
    return composed.name.size() == name.size() &&
           (composed.name.data() == name.data() || composed.name == name);
  }

  // A list of objects of two texts each, `first` and `second` the
  // punctuation and names before them; `texts` gives an item's two texts.
  template <typename Item, typename Texts>
  static void AppendObjects(Text& out, const std::vector<Item>& items, std::string_view first,
                            std::string_view second, const Texts& texts) {
    char separator = '[';
    for (const Item& item : items) {
      const auto [one, two] = texts(item);
      out += separator;
      separator = ',';
      out += first;
      AppendJsonString(out, one);
      out += second;
      AppendJsonString(out, two);
      out += '}';
    }
    out += items.empty() ? "[]" : "]";
  }

  // The value without the quotes of a text.
  void AppendValue(const Field& field, Text& out) {
    switch (field.kind) {
      case FieldKind::Null: return;
      case FieldKind::Text:
        if (field.plain) {
          out += field.text();
        } else {
          AppendTextField(out, field, AppendJsonContent);
        }
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
      case FieldKind::Trace:
        AppendObjects(out, *field.trace, "{\"step\":", ",\"text\":", [](const TraceStep& step) {
          return std::pair<std::string_view, std::string_view>{step.step, step.text};
        });
        return;
      case FieldKind::Disguises:
        AppendObjects(
            out, *field.disguises, "{\"name\":", ",\"detail\":", [](const Disguise& disguise) {
              return std::pair<std::string_view, std::string_view>{disguise.name, disguise.detail};
            });
        return;
    }
  }

  std::vector<ComposedName> names_;
  ComposedName unknown_name_;  // a field the shape did not have
};

}  // namespace

std::unique_ptr<OutputFormat> MakeJsonLinesFormat() { return std::make_unique<JsonLinesFormat>(); }

}  // namespace morvik
