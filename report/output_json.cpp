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
    names_bytes_ = 0;
    for (const Field& field : shape.fields()) {
      names_.push_back(ComposeName(field.name, names_.empty()));
      names_bytes_ += names_.back().with_null.size();
    }
  }

  // A field's name, the quotes of the texts on either side and a null value
  // go out in one piece. Measured worth: 10 % of the JSON line's instructions.
  void Write(const Record& record, Text& out) override {
    const std::span<const Field> fields = record.fields();
    // Held apart from the member, which the writes to `out` could alias as
    // far as the compiler knows: its size is not read again for each field.
    const std::span<const ComposedName> names = names_;
    const std::size_t room = MostLineBytes(record);
    LineWriter line(out, line_room_, room);
    bool after_text = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const Field& field = fields[i];
      const ComposedName* name = &unknown_name_;
      if (i < names.size() && IsNamed(names[i], field.name)) {
        name = &names[i];
      } else {  // a field the shape did not have, its name not in the line's room
        unknown_name_ = ComposeName(field.name, i == 0);
        line.MakeRoom(unknown_name_.with_null.size() + room);
      }
      std::string_view piece = field.kind == FieldKind::Null ? name->with_null : name->with_quotes;
      if (!after_text) piece.remove_prefix(1);
      if (field.kind != FieldKind::Null && field.kind != FieldKind::Text) piece.remove_suffix(1);
      line.Put(piece);
      WriteValue(line, field);
      after_text = field.kind == FieldKind::Text;
    }
    line.Put(after_text ? kLineEnd : kLineEnd.substr(1));
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

  // Every value at its most escaped, the most punctuation of an item (a
  // disguise's), the names of the shape's fields, a "[]" for each field and
  // the line's end.
  std::size_t MostLineBytes(const Record& record) const {
    return kMostJsonEscapedBytes * record.value_bytes() + kMostItemPunctuation * record.items() +
           names_bytes_ + 2 * record.fields().size() + kLineEnd.size();
  }

  static char* WriteString(char* to, std::string_view text) {
    *to++ = '"';
    to = WriteJsonContent(to, text);
    *to++ = '"';
    return to;
  }

  // A list of objects of two texts each, `first` and `second` the
  // punctuation and names before them; `texts` gives an item's two texts.
  template <typename Item, typename Texts>
  static void WriteObjects(LineWriter& line, const std::vector<Item>& items, std::string_view first,
                           std::string_view second, const Texts& texts) {
    char separator = '[';
    for (const Item& item : items) {
      const std::pair<std::string_view, std::string_view> both = texts(item);
      line.Put(separator);
      separator = ',';
      line.Put(first);
      line.Write([&](char* to) { return WriteString(to, both.first); });
      line.Put(second);
      line.Write([&](char* to) { return WriteString(to, both.second); });
      line.Put('}');
    }
    line.Put(items.empty() ? "[]" : "]");
  }

  // The value without the quotes of a text.
  void WriteValue(LineWriter& line, const Field& field) {
    if (WriteScalar(line, field, kMostJsonEscapedBytes, WriteJsonContent)) return;
    switch (field.kind) {
      case FieldKind::List: {
        char separator = '[';
        for (const char* item : *field.list) {
          line.Put(separator);
          separator = ',';
          line.Write([&](char* to) { return WriteString(to, item); });
        }
        line.Put(field.list->empty() ? "[]" : "]");
        return;
      }
      case FieldKind::Trace:
        WriteObjects(line, *field.trace, kStepFirst, kStepSecond, [](const TraceStep& step) {
          return std::pair<std::string_view, std::string_view>{step.step, step.text};
        });
        return;
      case FieldKind::Disguises:
        WriteObjects(
            line, *field.disguises, kDisguiseFirst, kDisguiseSecond, [](const Disguise& disguise) {
              return std::pair<std::string_view, std::string_view>{disguise.name, disguise.detail};
            });
        return;
      default: return;
    }
  }

  static constexpr std::string_view kLineEnd = "\"}\n";
  static constexpr std::string_view kStepFirst = "{\"step\":";
  static constexpr std::string_view kStepSecond = ",\"text\":";
  static constexpr std::string_view kDisguiseFirst = "{\"name\":";
  static constexpr std::string_view kDisguiseSecond = ",\"detail\":";
  // A disguise's: "," before it, its names, the quotes of its texts and "}".
  static constexpr std::size_t kMostItemPunctuation =
      1 + kDisguiseFirst.size() + kDisguiseSecond.size() + 4 + 1;
  static_assert(kStepFirst.size() + kStepSecond.size() <=
                kDisguiseFirst.size() + kDisguiseSecond.size());

  std::vector<ComposedName> names_;
  std::size_t names_bytes_ = 0;  // of every `with_null`
  ComposedName unknown_name_;    // a field the shape did not have
};

}  // namespace

std::unique_ptr<OutputFormat> MakeJsonLinesFormat() { return std::make_unique<JsonLinesFormat>(); }

}  // namespace morvik
