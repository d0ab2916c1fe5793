#pragma once
// The three ways records are written: an aligned table for a person at a
// terminal, TSV with a header for other programs, and JSON Lines (--json).

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "report/line_writer.h"
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
  // Where each line is written before it goes to the output (see LineWriter).
  Text line_room_;
  void Spill(Text& out) const {
    if (spill_ && out.size() >= kSpillBytes) spill_(out);
  }

  // A text (without quotes), number or truth value, written alike by every
  // format but for the escaper: `write(to, piece)` writes a piece of text
  // escaped from `to` on, to at most `most_per_byte` bytes for each, and
  // returns where it stopped. False for a field of another kind, which is
  // the format's own to write.
  template <typename Write>
  bool WriteScalar(LineWriter& line, const Field& field, std::size_t most_per_byte,
                   const Write& write) {
    switch (field.kind) {
      case FieldKind::Null: return true;
      case FieldKind::Text: WriteTextField(line, field, most_per_byte, write); return true;
      case FieldKind::Number: line.Put(field.text()); return true;  // digits and a sign only
      case FieldKind::Bool: line.Put(field.flag ? "true" : "false"); return true;
      default: return false;
    }
  }

 private:
  // As it is, or upper-cased, or escaped; a long text a piece at a time,
  // each in room of its own, spilling between the pieces.
  template <typename Write>
  void WriteTextField(LineWriter& line, const Field& field, std::size_t most_per_byte,
                      const Write& write) {
    const auto shown = [&](char* to, std::string_view piece) {
      if (field.plain) return std::copy(piece.begin(), piece.end(), to);
      return field.upper_case ? WriteUpperCase(to, piece, upper_case_piece_, write)
                              : write(to, piece);
    };
    const std::string_view text = field.text();
    if (text.size() <= Record::kLongText) {
      line.Write([&](char* to) { return shown(to, text); });
      return;
    }
    line.Aside([&](Text& out) {
      AppendInPieces(
          out,
          text,
          [&](Text& to, std::string_view piece) {
            AppendWritten(
                to, most_per_byte * piece.size(), [&](char* at) { return shown(at, piece); });
          },
          [&] { Spill(out); });
    });
  }

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
