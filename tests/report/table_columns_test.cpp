// scan's table: the reader's columns always, the others as the width
// allows, and never a flexible cell too narrow to read.

#include "report/table_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvik {
namespace {

struct ScanTableCase {
  int width;
  bool all_columns;
  std::vector<std::string> headers;
};

const ScanTableCase kScanTableCases[] = {
    {40, false, {"WHERE", "SHOWN", "GOES TO", "DISGUISES"}},
    {80, false, {"WHERE", "SHOWN", "GOES TO", "DISGUISES"}},
    {100, false, {"WHERE", "SHOWN", "GOES TO", "DISGUISES", "N"}},
    {120, false, {"WHERE", "SHOWN", "URL", "GOES TO", "DISGUISES", "N"}},
    {150, false, {"WHERE", "SHOWN", "URL", "GOES TO", "DISGUISES", "SAME", "REASONS", "N"}},
    {160,
     false,
     {"WHERE", "SHOWN", "URL", "GOES TO", "DISGUISES", "WINDOW HOST", "SAME", "REASONS", "N"}},
    {80,
     true,
     {"WHERE", "SHOWN", "URL", "GOES TO", "DISGUISES", "WINDOW HOST", "SAME", "REASONS", "N"}},
};

class ScanTableTest : public ::testing::TestWithParam<ScanTableCase> {};

TEST_P(ScanTableTest, ShowsTheReadersColumnsFirstAndTheOthersAsTheyFit) {
  const std::vector<TableColumn> columns =
      ScanTableColumns(GetParam().width, GetParam().all_columns);
  std::vector<std::string> headers;
  int fixed = 0;
  int shares = 0;
  for (const TableColumn& column : columns) {
    headers.emplace_back(column.header);
    fixed += column.width + 2;
    if (column.width == 0) shares += column.shares;
  }
  EXPECT_EQ(headers, GetParam().headers);
  if (!GetParam().all_columns && GetParam().width >= 80) {
    EXPECT_GE((GetParam().width - fixed) / shares, kNarrowestReadableCell);
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, ScanTableTest, ::testing::ValuesIn(kScanTableCases));

}  // namespace
}  // namespace morvik
