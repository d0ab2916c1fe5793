// Short pieces are copied in two moves that may overlap: every length, on
// either side of where the moves change, comes out whole, and nothing after
// it is touched.

#include "report/line_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace morvik {
namespace {

TEST(CopyTextTest, CopiesEveryLengthExactly) {
  for (std::size_t size = 0; size <= 40; ++size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 26);
    std::string written(size + 16, '#');
    const char* end = CopyText(written.data(), text);
    EXPECT_EQ(end - written.data(), static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(written, text + std::string(16, '#')) << size;
  }
}

// A line written in pieces of every kind, with one long enough to need room
// beyond what was made for it, and a long text set aside between them:
// the output holds them in order, and the room serves the next line.
TEST(LineWriterTest, KeepsThePiecesInOrderAcrossLines) {
  std::string out = "before|";
  std::string room;
  const std::string long_piece(300, 'x');
  {
    LineWriter line(out, room, 8);
    line.Put("ab");
    line.Put('c');
    line.MakeRoom(long_piece.size());
    line.Put(long_piece);
    line.Aside([](std::string& text) { text += "[aside]"; });
    line.Write([](char* to) {
      *to++ = 'd';
      return to;
    });
  }
  {
    LineWriter line(out, room, 4);
    line.Put("next");
  }
  EXPECT_EQ(out, "before|abc" + long_piece + "[aside]dnext");
}

}  // namespace
}  // namespace morvik
