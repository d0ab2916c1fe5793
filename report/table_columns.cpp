#include "report/table_columns.h"

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

// Room for a dotted address, defanged ("192[.]168[.]1[.]1") or not.
int DottedWidth(bool defang) { return defang ? 27 : 15; }

}  // namespace

std::vector<TableColumn> UrlTableColumns(bool defang) {
  return {
      {.fields = {"url"}, .header = "URL", .shares = 3},
      {.fields = {"window_host"}, .header = "WINDOW HOST", .shares = 2},
      {.fields = {"window_dotted"}, .header = "WINDOW ADDRESS", .width = DottedWidth(defang)},
      {.fields = {"window_decimal"}, .header = "DECIMAL", .width = 10},
      {.fields = {"window_hex"}, .header = "HEX", .width = 8},
      {.fields = {"browser_host_display", "browser_error"}, .header = "BROWSER HOST", .shares = 2},
      {.fields = {"same"}, .header = "SAME", .width = 4},
      {.fields = {"reasons"},
       .header = "REASONS",
       .shares = 3,
       .also_field = "looks_like",
       .also_label = "looks like "},
      {.fields = {"disguises"}, .header = "DISGUISES", .shares = 3}};
}

std::vector<TableColumn> ConversionTableColumns(bool defang) {
  return {{.fields = {"input"}, .header = "INPUT"},
          {.fields = {"notation"}, .header = "NOTATION", .width = 8},
          {.fields = {"dotted"}, .header = "DOTTED", .width = DottedWidth(defang)},
          {.fields = {"decimal"}, .header = "DECIMAL", .width = 10},
          {.fields = {"hex"}, .header = "HEX", .width = 8},
          {.fields = {"note"}, .header = "NOTE"}};
}

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
