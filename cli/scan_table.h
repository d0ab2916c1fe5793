#pragma once
// scan's table for a person at a terminal: first the columns a reader needs
// to judge a link (where it stands, what is shown, where it goes, how it is
// disguised), then the others, each only while every flexible column keeps
// room to be read.

#include <vector>

#include "report/output_format.h"

namespace morvik {

// No flexible column gets fewer than this many terminal columns.
inline constexpr int kNarrowestReadableCell = 20;

// The columns for a terminal `line_width` columns wide; `all_columns`
// shows every one, however narrow the cells become.
std::vector<TableColumn> ScanTableColumns(int line_width, bool all_columns);

}  // namespace morvik
