#pragma once
// One output line before it is formatted: named fields in a fixed order.
// Every format (table, TSV, JSON Lines) writes the same records, so the
// field names are the same everywhere.
//
// AddText keeps a view: the text (a URL, a reading's host) must outlive the
// record's writing, as the report it comes from does. Texts composed for
// the record alone are handed over with AddOwnedText.

#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compare/disguise.h"
#include "compare/trace.h"
#include "support/text.h"

namespace morvik {

enum class FieldKind { Null, Text, Number, Bool, List, Trace, Disguises };

// The members a new field sets side by side, so that they are set in a few
// wide stores.
struct Field {
  std::string_view name;
  std::string_view viewed;                         // Text held by the caller
  const std::vector<const char*>* list = nullptr;  // List
  const std::vector<TraceStep>* trace = nullptr;   // Trace
  const Disguises* disguises = nullptr;            // Disguises
  FieldKind kind = FieldKind::Null;
  bool flag = false;        // Bool
  bool plain = false;       // Text that no format needs to escape (AddPlainText)
  bool upper_case = false;  // Text to be written with its ASCII letters capital
  bool owns = false;
  Text owned;  // Text held by the record, and Number in decimal

  std::string_view text() const { return owns ? std::string_view(owned) : viewed; }
};

class Record {
 public:
  // A text longer than this is written a piece at a time, each piece in
  // room of its own, and is not counted in value_bytes().
  static constexpr std::size_t kLongText = std::size_t{64} * 1024;

  // The fields are kept for the next line, so that their owned texts keep
  // their room.
  void Clear() {
    count_ = 0;
    value_bytes_ = 0;
    items_ = 0;
  }

  void AddNull(std::string_view name) { Add(name, FieldKind::Null); }
  void AddText(std::string_view name, std::string_view text) {
    Add(name, FieldKind::Text).viewed = text;
    CountText(text);
  }
  // Text written with its ASCII letters made capital (the window's host,
  // which the reading keeps as written).
  void AddUpperCaseText(std::string_view name, std::string_view text) {
    Field& field = Add(name, FieldKind::Text);
    field.viewed = text;
    field.upper_case = true;
    CountText(text);
  }
  // Text the program composes itself from printable ASCII other than quote
  // and backslash (an address notation, a kind name, a fixed note), which
  // every format writes as it stands.
  void AddPlainText(std::string_view name, std::string_view text) {
    Field& field = Add(name, FieldKind::Text);
    field.viewed = text;
    field.plain = true;
    CountText(text);
  }
  void AddOptionalPlainText(std::string_view name, const Text* text) {
    text == nullptr ? AddNull(name) : AddPlainText(name, *text);
  }
  void AddOptionalText(std::string_view name, const Text* text) {
    text == nullptr ? AddNull(name) : AddText(name, *text);
  }
  void AddOwnedText(std::string_view name, Text text) {
    Field& field = Add(name, FieldKind::Text);
    field.owned = std::move(text);
    field.owns = true;
    CountText(field.owned);
  }
  void AddNumber(std::string_view name, std::int64_t number) {
    Field& field = Add(name, FieldKind::Number);
    char digits[20];  // -9223372036854775808
    field.owned.assign(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    field.owns = true;
    value_bytes_ += field.owned.size();
  }
  void AddBool(std::string_view name, bool flag) {
    Add(name, FieldKind::Bool).flag = flag;
    value_bytes_ += 5;  // "false"
  }
  // The list, trace and disguises are counted as they are when added, and
  // must not change before the record is written.
  void AddList(std::string_view name, const std::vector<const char*>& list) {
    Add(name, FieldKind::List).list = &list;
    for (const char* item : list) value_bytes_ += std::string_view(item).size();
    items_ += list.size();
  }
  void AddTrace(std::string_view name, const std::vector<TraceStep>& trace) {
    Add(name, FieldKind::Trace).trace = &trace;
    for (const TraceStep& step : trace) value_bytes_ += step.step.size() + step.text.size();
    items_ += trace.size();
  }
  void AddDisguises(std::string_view name, const Disguises& disguises) {
    Add(name, FieldKind::Disguises).disguises = &disguises;
    for (const Disguise& disguise : disguises) {
      value_bytes_ += disguise.name.size() + disguise.detail.size();
    }
    items_ += disguises.size();
  }

  std::span<const Field> fields() const { return {fields_.data(), count_}; }
  // The bytes of every value, as the record holds them, long texts aside:
  // what a format's line needs room for, before escapes and punctuation.
  std::size_t value_bytes() const { return value_bytes_; }
  // The list items, trace steps and disguises, each with punctuation of its
  // own.
  std::size_t items() const { return items_; }
  const Field* Find(std::string_view name) const {
    for (const Field& field : fields()) {
      if (field.name == name) return &field;
    }
    return nullptr;
  }

 private:
  Field& Add(std::string_view name, FieldKind kind) {
    if (count_ == fields_.size()) fields_.emplace_back();
    Field& field = fields_[count_++];
    field.name = name;
    field.kind = kind;
    field.flag = field.plain = field.upper_case = field.owns = false;
    field.viewed = {};
    field.list = nullptr;
    field.trace = nullptr;
    field.disguises = nullptr;
    return field;
  }

  void CountText(std::string_view text) {
    if (text.size() <= kLongText) value_bytes_ += text.size();
  }

  std::vector<Field> fields_;
  std::size_t count_ = 0;
  std::size_t value_bytes_ = 0;
  std::size_t items_ = 0;
};

}  // namespace morvik
