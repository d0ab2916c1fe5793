#include <algorithm>

#include "report/disguise_cell.h"
#include "report/output_format.h"
#include "support/utf8.h"

namespace morvik {
namespace {

constexpr int kGap = 2;
constexpr int kNarrowest = 8;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // …

// Width in terminal columns, counting each code point as one (the escaped
// text holds only well-formed UTF-8).
int DisplayWidth(std::string_view text) {
  int width = 0;
  for (std::size_t at = 0; at < text.size();
       at += std::max<std::size_t>(1, Utf8SequenceLength(text, at))) {
    ++width;
  }
  return width;
}

// At most `width` columns, the last one an ellipsis when something was cut.
std::string_view FitWidth(std::string_view text, int width, bool& cut) {
  cut = false;
  if (DisplayWidth(text) <= width) return text;
  std::size_t at = 0;
  for (int column = 0; column < width - 1; ++column) {
    at += std::max<std::size_t>(1, Utf8SequenceLength(text, at));
  }
  cut = true;
  return text.substr(0, at);
}

class TableFormat final : public OutputFormat {
 public:
  TableFormat(std::vector<TableColumn> columns, int line_width) : columns_(std::move(columns)) {
    int fixed = 0;
    int shares = 0;
    for (const TableColumn& column : columns_) {
      fixed += column.width + kGap;
      if (column.width == 0) shares += column.shares;
    }
    const int share = shares == 0 ? 0 : (line_width - fixed) / shares;
    for (TableColumn& column : columns_) {
      if (column.width == 0) column.width = std::max(kNarrowest, share * column.shares);
    }
  }

  void Begin(const Record&, Text& out) override {
    std::vector<Text> headers;
    for (const TableColumn& column : columns_) headers.emplace_back(column.header);
    WriteRow(headers, out);
  }

  void Write(const Record& record, Text& out) override {
    cells_.resize(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      cells_[i].clear();
      const std::size_t shown_bytes = ShownBytes(columns_[i].width);
      const Field* shown = nullptr;
      for (const std::string_view name : columns_[i].fields) {
        shown = record.Find(name);
        const bool has_value = shown != nullptr && shown->kind != FieldKind::Null;
        if (has_value && !columns_[i].joined_by.empty()) {
          if (shown->text().empty() && shown->kind == FieldKind::Text) continue;
          if (!cells_[i].empty()) cells_[i] += columns_[i].joined_by;
          CellText(shown, cells_[i], shown_bytes);
        } else if (has_value) {
          break;
        }
      }
      if (columns_[i].joined_by.empty()) CellText(shown, cells_[i], shown_bytes);
      const Field* also =
          columns_[i].also_field.empty() ? nullptr : record.Find(columns_[i].also_field);
      if (also != nullptr && also->kind != FieldKind::Null) {
        if (!cells_[i].empty()) cells_[i] += ", ";
        cells_[i] += columns_[i].also_label;
        CellText(also, cells_[i], shown_bytes);
      }
    }
    WriteRow(cells_, out);
    if (const Field* trace = record.Find("trace"); trace != nullptr && trace->trace != nullptr) {
      for (const TraceStep& step : *trace->trace) {
        out += "    ";
        AppendEscaped(out, step.step, EscapeFor::Terminal);
        out += ": ";
        AppendEscaped(out, step.text, EscapeFor::Terminal);
        out += '\n';
      }
    }
  }

 private:
  // A cell shows `width` columns at most, each at least one byte of the
  // text and a code point at most four: only so much of a long text is
  // escaped, enough to see that it was cut.
  static std::size_t ShownBytes(int width) { return (static_cast<std::size_t>(width) + 2) * 4; }

  static void CellText(const Field* field, Text& cell, std::size_t shown_bytes) {
    if (field == nullptr) return;
    switch (field->kind) {
      case FieldKind::Null: cell += "-"; return;
      case FieldKind::Text:
      case FieldKind::Number: {
        const Text shown(field->text().substr(0, shown_bytes));
        AppendEscaped(cell, field->upper_case ? UpperCaseText(shown) : shown, EscapeFor::Terminal);
        return;
      }
      case FieldKind::Bool: cell += field->flag ? "yes" : "no"; return;
      case FieldKind::List:
        for (const char* item : *field->list) {
          if (!cell.empty()) cell += ", ";
          cell += item;
        }
        return;
      case FieldKind::Trace: return;
      case FieldKind::Disguises:
        AppendDisguises(cell, *field->disguises, EscapeFor::Terminal);
        return;
    }
  }

  void WriteRow(const std::vector<Text>& cells, Text& out) const {
    Text line;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      bool cut = false;
      const std::string_view shown = FitWidth(cells[i], columns_[i].width, cut);
      line += shown;
      if (cut) line += kEllipsis;
      if (i + 1 < columns_.size()) {
        const int used = DisplayWidth(shown) + (cut ? 1 : 0);
        const int padding = columns_[i].width - used + kGap;
        line.append(static_cast<std::size_t>(padding), ' ');
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line;
    out += '\n';
  }

  std::vector<TableColumn> columns_;
  std::vector<Text> cells_;
};

}  // namespace

std::unique_ptr<OutputFormat> MakeTableFormat(std::vector<TableColumn> columns, int line_width) {
  return std::make_unique<TableFormat>(std::move(columns), line_width);
}

}  // namespace morvik
