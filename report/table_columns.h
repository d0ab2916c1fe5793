#pragma once
// The columns of the table for a person at a terminal, for each command.

#include <vector>

#include "report/output_format.h"

namespace morvik {

// No flexible column gets fewer than this many terminal columns.
inline constexpr int kNarrowestReadableCell = 20;

// A URL a line: the readings side by side. `defang` widens the address.
std::vector<TableColumn> UrlTableColumns(bool defang);

// `convert`: the address in each notation.
std::vector<TableColumn> ConversionTableColumns(bool defang);

// scan: first the columns a reader needs to judge a link (where it stands,
// what is shown, where it goes, how it is disguised), then the others, each
// only while every flexible column keeps room to be read, for a terminal
// `line_width` columns wide; `all_columns` shows every one, however narrow
// the cells become.
std::vector<TableColumn> ScanTableColumns(int line_width, bool all_columns);

}  // namespace morvik
