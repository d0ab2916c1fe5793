#pragma once
// The three ways records are written: an aligned table for a person at a
// terminal, TSV with a header for other programs, and JSON Lines (--json).

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "report/record.h"
#include "report/text_escape.h"
#include "support/text.h"

namespace morvik {

class OutputFormat {
 public:
  virtual ~OutputFormat() = default;
  // What comes before the first record (a header); `shape` is a record with
  // every field, as each later record will have them.
  virtual void Begin(const Record& shape, Text& out) = 0;
  virtual void Write(const Record& record, Text& out) = 0;

  // Where the output goes on while a long line is written: `spill` is
  // handed `out` whenever it has grown past kSpillBytes and may empty it.
  void SetSpill(std::function<void(Text&)> spill) { spill_ = std::move(spill); }

 protected:
  static constexpr std::size_t kSpillBytes = std::size_t{64} * 1024;
  void Spill(Text& out) const {
    if (spill_ && out.size() >= kSpillBytes) spill_(out);
  }
  // A text field by `append`, upper-cased where the field asks for it; a
  // long one a piece at a time, spilling between the pieces.
  template <typename Append>
  void AppendTextField(Text& out, const Field& field, const Append& append) {
    const auto shown = [&](Text& to, std::string_view piece) {
      field.upper_case ? AppendUpperCase(to, piece, upper_case_piece_, append) : append(to, piece);
    };
    if (field.text().size() <= kSpillBytes) {
      shown(out, field.text());
    } else {
      AppendInPieces(out, field.text(), shown, [&] { Spill(out); });
    }
  }

 private:
  std::function<void(Text&)> spill_;
  Text upper_case_piece_;
};

// Tab-separated, one header line of field names. Missing values are empty,
// truth values "true"/"false", lists joined by ", ", trace steps by "; ".
// Texts are escaped for `target`: as data (to a file or a pipe), or for a
// person at a terminal.
std::unique_ptr<OutputFormat> MakeTsvFormat(EscapeFor target = EscapeFor::Tsv);

// One JSON object per line, fields under the record's names.
std::unique_ptr<OutputFormat> MakeJsonLinesFormat();

struct TableColumn {
  // The first of these fields that has a value is shown.
  std::vector<std::string_view> fields;
  std::string_view header;
  int width = 0;   // a fixed width, or 0 for a share of what the fixed columns leave
  int shares = 1;  // the size of that share, against the other flexible columns
  // A field added to the cell after ", " when it has a value, behind `label`
  // ("looks like apple.com").
  std::string_view also_field = {};
  std::string_view also_label = {};
  // When set, the cell is every one of `fields` that has a value, each
  // after this separator ("1.2 a 14" for the part, element and line).
  std::string_view joined_by = {};
};

// Columns padded to their width, long cells shortened with "…"; a record's
// trace, if any, follows its row, one step per line.
std::unique_ptr<OutputFormat> MakeTableFormat(std::vector<TableColumn> columns, int line_width);

}  // namespace morvik
