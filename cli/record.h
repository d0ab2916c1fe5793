#pragma once
// One output line before it is formatted: named fields in a fixed order.
// Every format (table, TSV, JSON Lines) writes the same records, so the
// field names are the same everywhere.
//
// Fields point into the report they describe and into the record's own
// slots; a record is reused from line to line, so that describing a line
// allocates nothing.

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "cli/trace.h"
#include "support/text.h"

namespace morvik {

enum class FieldKind { Null, Text, Number, Bool, List, Trace };

struct Field {
  std::string_view name;
  FieldKind kind = FieldKind::Null;
  bool flag = false;      // Bool
  bool plain = false;     // Text that no format needs to escape (AddPlainText)
  std::string_view text;  // Text, and Number written in decimal
  const std::vector<const char*>* list = nullptr;  // List
  const std::vector<TraceStep>* trace = nullptr;   // Trace
};

class Record {
 public:
  Record() = default;
  Record(const Record&) = delete;  // fields point into the record's own slots
  Record& operator=(const Record&) = delete;

  void Clear() {
    field_count_ = 0;
    slots_used_ = 0;
    numbers_used_ = 0;
  }

  void AddNull(std::string_view name) { Add(name, FieldKind::Null); }
  void AddText(std::string_view name, std::string_view text) {
    Add(name, FieldKind::Text).text = text;
  }
  // Text the program composes itself from printable ASCII other than quote
  // and backslash (an address notation, a kind name, a fixed note), which
  // every format writes as it stands.
  void AddPlainText(std::string_view name, std::string_view text) {
    Field& field = Add(name, FieldKind::Text);
    field.text = text;
    field.plain = true;
  }
  void AddOptionalPlainText(std::string_view name, const Text* text) {
    if (text == nullptr) {
      AddNull(name);
    } else {
      AddPlainText(name, *text);
    }
  }
  void AddOptionalText(std::string_view name, const Text* text) {
    if (text == nullptr) {
      AddNull(name);
    } else {
      AddText(name, *text);
    }
  }
  // Text that only the record holds (a defanged host, a composed note).
  void AddOwnedText(std::string_view name, Text text) {
    Text& slot = slots_.at(slots_used_++);
    slot = std::move(text);
    AddText(name, slot);
  }
  void AddNumber(std::string_view name, std::int64_t number) {
    char* const digits = numbers_.at(numbers_used_++).data();
    const char* const end = std::to_chars(digits, digits + kLongestNumber, number).ptr;
    Add(name, FieldKind::Number).text =
        std::string_view(digits, static_cast<std::size_t>(end - digits));
  }
  void AddBool(std::string_view name, bool flag) { Add(name, FieldKind::Bool).flag = flag; }
  void AddList(std::string_view name, const std::vector<const char*>& list) {
    Add(name, FieldKind::List).list = &list;
  }
  void AddTrace(std::string_view name, const std::vector<TraceStep>& trace) {
    Add(name, FieldKind::Trace).trace = &trace;
  }

  std::span<const Field> fields() const { return {fields_.data(), field_count_}; }
  const Field* Find(std::string_view name) const {
    for (const Field& field : fields()) {
      if (field.name == name) return &field;
    }
    return nullptr;
  }

 private:
  Field& Add(std::string_view name, FieldKind kind) {
    Field& field = fields_.at(field_count_++);
    field = Field{};
    field.name = name;
    field.kind = kind;
    return field;
  }

  std::array<Field, 24> fields_;
  std::size_t field_count_ = 0;
  std::array<Text, 12> slots_;
  std::size_t slots_used_ = 0;
  static constexpr std::size_t kLongestNumber = 20;  // -9223372036854775808
  std::array<std::array<char, kLongestNumber>, 4> numbers_;
  std::size_t numbers_used_ = 0;
};

}  // namespace morvik
