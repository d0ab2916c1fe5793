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
#include <cstring>
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
  bool flag = false;        // Bool
  bool plain = false;       // Text that no format needs to escape (AddPlainText)
  bool upper_case = false;  // Text to be written with its ASCII letters capital
  std::string_view text;    // Text, and Number written in decimal
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
    value_bytes_ = 0;
    name_bytes_ = 0;
  }

  void AddNull(std::string_view name) { Add(name, FieldKind::Null); }
  void AddText(std::string_view name, std::string_view text) {
    Add(name, FieldKind::Text, text.size()).text = text;
  }
  // Text written with its ASCII letters made capital (the window's host,
  // which the reading keeps as written).
  void AddUpperCaseText(std::string_view name, std::string_view text) {
    Field& field = Add(name, FieldKind::Text, text.size());
    field.text = text;
    field.upper_case = true;
  }
  // Text the program composes itself from printable ASCII other than quote
  // and backslash (an address notation, a kind name, a fixed note), which
  // every format writes as it stands.
  void AddPlainText(std::string_view name, std::string_view text) {
    Field& field = Add(name, FieldKind::Text, text.size());
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
    const std::size_t length = static_cast<std::size_t>(end - digits);
    Add(name, FieldKind::Number, length).text = std::string_view(digits, length);
  }
  void AddBool(std::string_view name, bool flag) {
    Add(name, FieldKind::Bool, std::string_view("false").size()).flag = flag;
  }
  void AddList(std::string_view name, const std::vector<const char*>& list) {
    std::size_t bytes = 0;
    for (const char* item : list) bytes += std::strlen(item) + kItemPunctuation;
    Add(name, FieldKind::List, bytes).list = &list;
  }
  void AddTrace(std::string_view name, const std::vector<TraceStep>& trace) {
    std::size_t bytes = 0;
    for (const TraceStep& step : trace) {
      bytes += step.step.size() + step.text.size() + kStepPunctuation;
    }
    Add(name, FieldKind::Trace, bytes).trace = &trace;
  }

  std::span<const Field> fields() const { return {fields_.data(), field_count_}; }

  // What a format needs to bound the length of a record's line: the bytes of
  // all values (truth values as "false", list items and trace steps with
  // kItemPunctuation and kStepPunctuation bytes of punctuation each), and of
  // all names.
  static constexpr std::size_t kItemPunctuation = 2;  // ", "
  static constexpr std::size_t kStepPunctuation = 4;  // ": " and "; "
  std::size_t value_bytes() const { return value_bytes_; }
  // The same count for one field.
  static std::size_t ValueBytes(const Field& field) {
    switch (field.kind) {
      case FieldKind::Null: return 0;
      case FieldKind::Text:
      case FieldKind::Number: return field.text.size();
      case FieldKind::Bool: return std::string_view("false").size();
      case FieldKind::List: {
        std::size_t bytes = 0;
        for (const char* item : *field.list) bytes += std::strlen(item) + kItemPunctuation;
        return bytes;
      }
      case FieldKind::Trace: {
        std::size_t bytes = 0;
        for (const TraceStep& step : *field.trace) {
          bytes += step.step.size() + step.text.size() + kStepPunctuation;
        }
        return bytes;
      }
    }
    return 0;
  }
  std::size_t name_bytes() const { return name_bytes_; }
  const Field* Find(std::string_view name) const {
    for (const Field& field : fields()) {
      if (field.name == name) return &field;
    }
    return nullptr;
  }

 private:
  Field& Add(std::string_view name, FieldKind kind, std::size_t value_bytes = 0) {
    value_bytes_ += value_bytes;
    name_bytes_ += name.size();
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
  std::size_t value_bytes_ = 0;
  std::size_t name_bytes_ = 0;
};

}  // namespace morvik
