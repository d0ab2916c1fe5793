#include "report/disguise_cell.h"
#include "report/output_format.h"

namespace morvik {
namespace {

constexpr std::string_view kListSeparator = ", ";
constexpr std::string_view kStepSeparator = "; ";
constexpr std::string_view kStepColon = ": ";
static_assert(kListSeparator.size() <= kDisguisePunctuation &&
              kStepSeparator.size() + kStepColon.size() <= kDisguisePunctuation);

class TsvFormat final : public OutputFormat {
 public:
  explicit TsvFormat(EscapeFor target)
      : target_(target), most_per_byte_(MostEscapedBytes(target)) {}

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
    LineWriter line(out, line_room_, MostLineBytes(record));
    bool first = true;
    for (const Field& field : record.fields()) {
      if (!first) line.Put('\t');
      first = false;
      WriteValue(line, field);
    }
    line.Put('\n');
  }

 private:
  // Every value at its most escaped, the most punctuation of an item (a
  // disguise's), a tab for each field and the newline.
  std::size_t MostLineBytes(const Record& record) const {
    return most_per_byte_ * record.value_bytes() + kDisguisePunctuation * record.items() +
           record.fields().size() + 1;
  }

  char* WriteTsv(char* to, std::string_view text) const { return WriteEscaped(to, text, target_); }

  void WriteValue(LineWriter& line, const Field& field) {
    const auto escape = [this](char* to, std::string_view text) { return WriteTsv(to, text); };
    if (WriteScalar(line, field, most_per_byte_, escape)) return;
    switch (field.kind) {
      case FieldKind::List: {
        std::string_view separator;
        for (const char* item : *field.list) {
          line.Put(separator);
          line.Put(item);
          separator = kListSeparator;
        }
        return;
      }
      case FieldKind::Trace: {
        std::string_view separator;
        for (const TraceStep& step : *field.trace) {
          line.Put(separator);
          line.Write([&](char* to) { return WriteTsv(to, step.step); });
          line.Put(kStepColon);
          line.Write([&](char* to) { return WriteTsv(to, step.text); });
          separator = kStepSeparator;
        }
        return;
      }
      case FieldKind::Disguises:
        line.Write([&](char* to) { return WriteDisguises(to, *field.disguises, target_); });
        return;
      default: return;
    }
  }

  EscapeFor target_;
  std::size_t most_per_byte_;
};

}  // namespace

std::unique_ptr<OutputFormat> MakeTsvFormat(EscapeFor target) {
  return std::make_unique<TsvFormat>(target);
}

}  // namespace morvik
