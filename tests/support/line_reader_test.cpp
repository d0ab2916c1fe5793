#include "support/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace morvik {
namespace {

using namespace std::string_literals;

// The lines (or "<too long>") read from `input` through a temporary file.
std::vector<std::string> ReadAll(const std::string& input, std::size_t longest_line) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  std::fwrite(input.data(), 1, input.size(), file);
  std::rewind(file);
  LineReader reader(file, longest_line);
  std::vector<std::string> lines;
  std::string line;
  for (;;) {
    const LineReader::Status status = reader.Next(line);
    if (status == LineReader::Status::End || status == LineReader::Status::Error) break;
    lines.push_back(status == LineReader::Status::TooLong ? "<too long>" : line);
  }
  std::fclose(file);
  return lines;
}

struct LineCase {
  std::string input;
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"", {}},
    {"a\nb\n", {"a", "b"}},
    {"a\r\nb\r\n", {"a", "b"}},
    {"a\nb", {"a", "b"}},  // no line break at the end
    {"a\r", {"a"}},
    {"a\rb\n", {"a\rb"}},  // a CR inside stays
    {"\n\n", {"", ""}},
    {"n\0l\n"s, {"n\0l"s}},  // NUL is part of the line
    {"\xFF\xFE\n", {"\xFF\xFE"}},
    {"short\n0123456789\nok", {"short", "<too long>", "ok"}},
};

class LineReaderTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderTest, SplitsAtLineFeeds) {
  EXPECT_EQ(ReadAll(GetParam().input, 9), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineReaderTest, ::testing::ValuesIn(kLineCases));

TEST(LineReaderTest, ReadsLinesLongerThanItsBuffer) {
  const std::string long_line(300000, 'x');
  EXPECT_EQ(ReadAll(long_line + "\r\n" + long_line, 1 << 20),
            (std::vector<std::string>{long_line, long_line}));
  EXPECT_EQ(ReadAll(long_line + "\nafter\n", 1000),
            (std::vector<std::string>{"<too long>", "after"}));
}

// Whether the next line can be taken without waiting: what a reader of a
// pipe that a person writes into must know before it waits for more. A
// last line without its line feed may still be being written.
TEST(LineReaderTest, TellsWhetherTheNextLineIsReadInWhole) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  std::fputs("one\ntwo\nthr", file);
  std::rewind(file);
  LineReader reader(file, 1000);
  std::string line;
  EXPECT_FALSE(reader.HasWholeLine());  // nothing read yet

  ASSERT_EQ(reader.Next(line), LineReader::Status::Line);
  EXPECT_EQ(line, "one");
  EXPECT_TRUE(reader.HasWholeLine());  // "two" came in the same read
  ASSERT_EQ(reader.Next(line), LineReader::Status::Line);
  EXPECT_EQ(line, "two");
  EXPECT_FALSE(reader.HasWholeLine());
  ASSERT_EQ(reader.Next(line), LineReader::Status::Line);
  EXPECT_EQ(line, "thr");
  EXPECT_EQ(reader.Next(line), LineReader::Status::End);
  std::fclose(file);
}

}  // namespace
}  // namespace morvik
