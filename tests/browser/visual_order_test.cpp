#include "browser/visual_order.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morvik {
namespace {

struct VisualCase {
  const char* name;
  std::string text;
  LineDirection direction;
  std::optional<std::string> shown;
};

const VisualCase kVisualCases[] = {
    {"plain text stays",
     "https://example.com/",
     LineDirection::LeftToRight,
     "https://example.com/"},
    {"an override runs to the end",
     "/\u202E"
     "fdp.exe",
     LineDirection::LeftToRight,
     "/exe.pdf"},
    {"...or to its pop",
     "a\u202E"
     "bc\u202C"
     "d",
     LineDirection::LeftToRight,
     "acbd"},
    {"an override at the end reorders nothing",
     "https://bank.example/invoice\u202E",
     LineDirection::LeftToRight,
     "https://bank.example/invoice"},
    {"a right-to-left isolate",
     "x\u2067"
     "abc\u2069"
     "y",
     LineDirection::LeftToRight,
     "xabcy"},
    {"Hebrew reads right to left", "\u05D0\u05D1", LineDirection::LeftToRight, "\u05D1\u05D0"},
    {"brackets mirror in a reversed run", "\u202E(ab)", LineDirection::LeftToRight, "(ba)"},
    {"a left-to-right override keeps Hebrew in logical order",
     "\u202D\u05D0\u05D1",
     LineDirection::LeftToRight,
     "\u05D0\u05D1"},
    {"the direction of a line from its first letter",
     "\u05D0 a",
     LineDirection::FromText,
     "a \u05D0"},
    {"marks alone vanish", "a\u200Fb\u200E", LineDirection::LeftToRight, "ab"},
    {"...the Arabic letter mark too", "/\u061Cx", LineDirection::LeftToRight, "/x"},
    {"empty", "", LineDirection::LeftToRight, ""},
    {"not UTF-8", "a\xFF", LineDirection::LeftToRight, std::nullopt},
};

class VisualOrderTest : public ::testing::TestWithParam<VisualCase> {};

TEST_P(VisualOrderTest, ShowsTheTextAsDrawn) {
  EXPECT_EQ(VisualOrder(GetParam().text, GetParam().direction), GetParam().shown)
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, VisualOrderTest, ::testing::ValuesIn(kVisualCases));

}  // namespace
}  // namespace morvik
