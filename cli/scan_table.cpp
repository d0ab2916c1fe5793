#include "cli/scan_table.h"

#include <algorithm>

namespace morvik {
namespace {

constexpr int kGap = 2;  // as the table writes them

struct Choice {
  TableColumn column;
  int order;  // where it stands in the row
};

// Whether every flexible column of `columns` would still be readable.
bool Fits(const std::vector<Choice>& columns, int line_width) {
  int fixed = 0;
  int shares = 0;
  for (const Choice& choice : columns) {
    fixed += choice.column.width + kGap;
    if (choice.column.width == 0) shares += choice.column.shares;
  }
  return shares == 0 || (line_width - fixed) / shares >= kNarrowestReadableCell;
}

}  // namespace

std::vector<TableColumn> ScanTableColumns(int line_width, bool all_columns) {
  std::vector<Choice> chosen = {
      {{.fields = {"part", "element", "line"}, .header = "WHERE", .width = 12, .joined_by = " "},
       0},
      {{.fields = {"shown"}, .header = "SHOWN"}, 1},
      {{.fields = {"browser_host_display", "browser_error"},
        .header = "GOES TO",
        .also_field = "leads_to",
        .also_label = "then "},
       3},
      {{.fields = {"disguises"}, .header = "DISGUISES"}, 4},
  };
  // The others, most wanted first.
  const Choice extras[] = {
      {{.fields = {"count"}, .header = "N", .width = 3}, 8},
      {{.fields = {"url"}, .header = "URL"}, 2},
      {{.fields = {"reasons"},
        .header = "REASONS",
        .also_field = "looks_like",
        .also_label = "looks like "},
       7},
      {{.fields = {"same"}, .header = "SAME", .width = 4}, 6},
      {{.fields = {"window_host"}, .header = "WINDOW HOST"}, 5},
  };
  for (const Choice& extra : extras) {
    chosen.push_back(extra);
    if (!all_columns && !Fits(chosen, line_width)) {
      chosen.pop_back();
      break;
    }
  }
  std::sort(chosen.begin(), chosen.end(), [](const Choice& a, const Choice& b) {
    return a.order < b.order;
  });
  std::vector<TableColumn> columns;
  columns.reserve(chosen.size());
  for (Choice& choice : chosen) columns.push_back(std::move(choice.column));
  return columns;
}

}  // namespace morvik
