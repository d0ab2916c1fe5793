#include "report/text_escape.h"

#include <gtest/gtest.h>

#include <string>

#include "browser/icu_functions.h"
#include "support/utf8.h"

namespace morvik {
namespace {

using namespace std::string_literals;

struct EscapeCase {
  std::string text;
  std::string json;
  std::string tsv;
  std::string terminal;
  // Invisible characters are known from ICU's character data, which Windows
  // without icu.dll (and so Wine) lacks.
  bool needs_icu_data = false;
};

const EscapeCase kEscapeCases[] = {
    {"plain", "\"plain\"", "plain", "plain"},
    {"a\"b\\c", R"("a\"b\\c")", R"(a"b\\c)", R"(a"b\\c)"},
    {"t\tn\nr\r", R"("t\tn\nr\r")", R"(t\tn\nr\r)", R"(t\tn\nr\r)"},
    {"nul\0x\x1b[31m"s,
     R"("nul\u0000x\u001b[31m")",
     "nul\\x00x\\x1b[31m",
     "nul<U+0000>x<U+001B>[31m"},
    {"del\x7f", R"("del\u007f")", "del\\x7f", "del<U+007F>"},
    {"b\xC3\xBC"
     "cher",
     "\"b\xC3\xBC"
     "cher\"",
     "b\xC3\xBC"
     "cher",
     "b\xC3\xBC"
     "cher"},
    // Bytes that are not UTF-8, alone and in broken sequences.
    {"a\xFF"
     "b",
     R"("a\udcffb")",
     "a\\xffb",
     "a\\xffb"},
    {"\xC3", R"("\udcc3")", "\\xc3", "\\xc3"},
    {"\xC0\xAF", R"("\udcc0\udcaf")", "\\xc0\\xaf", "\\xc0\\xaf"},  // overlong "/"
    {"\xED\xA0\x80", R"("\udced\udca0\udc80")", R"(\xed\xa0\x80)", R"(\xed\xa0\x80)"},  // surrogate
    // Characters that reorder, act on a terminal or hide are kept in data
    // and named for a person.
    {"a\u202E"
     "b",
     R"("a\u202eb")",
     "a\u202E"
     "b",
     "a<U+202E>b"},
    {"\xC2\x9B", R"("\u009b")", "\xC2\x9B", "<U+009B>"},  // C1 control sequence introducer
    {"\u2066x\u2069\u200E\u061C",
     R"("\u2066x\u2069\u200e\u061c")",
     "\u2066x\u2069\u200E\u061C",
     "<U+2066>x<U+2069><U+200E><U+061C>"},
    {"ex\u200Bample\u00AD\uFEFF",
     R"("ex\u200bample\u00ad\ufeff")",
     "ex\u200Bample\u00AD\uFEFF",
     "ex<U+200B>ample<U+00AD><U+FEFF>",
     true},
    {"a\U000E0041", R"("a\udb40\udc41")", "a\U000E0041", "a<U+E0041>", true},  // above U+FFFF
    // What is drawn stays; text that would pass for an escape of ours does not.
    {"\u00A0\U0001F600<b>",
     "\"\u00A0\U0001F600<b>\"",
     "\u00A0\U0001F600<b>",
     "\u00A0\U0001F600<b>"},
    {"<U+202E><U<", "\"<U+202E><U<\"", "<U+202E><U<", "\\x3cU+202E><U<"},
    // Long runs go through the word-at-a-time scan.
    {std::string(40, 'x') + "\t" + std::string(20, 'y'),
     "\"" + std::string(40, 'x') + "\\t" + std::string(20, 'y') + "\"",
     std::string(40, 'x') + "\\t" + std::string(20, 'y'),
     std::string(40, 'x') + "\\t" + std::string(20, 'y')},
};

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, KeepsEveryFormatIntact) {
  const EscapeCase& test = GetParam();
  if (test.needs_icu_data && Icu() == nullptr) GTEST_SKIP() << "no ICU character data here";
  std::string json;
  AppendJsonString(json, test.text);
  EXPECT_EQ(json, test.json);
  std::string tsv;
  AppendEscaped(tsv, test.text, EscapeFor::Tsv);
  EXPECT_EQ(tsv, test.tsv);
  std::string terminal;
  AppendEscaped(terminal, test.text, EscapeFor::Terminal);
  EXPECT_EQ(terminal, test.terminal);
}

INSTANTIATE_TEST_SUITE_P(Cases, EscapeTest, ::testing::ValuesIn(kEscapeCases));

// One byte that needs care, and how each format writes it.
struct MarkedByteCase {
  char byte;
  std::string json;
  std::string tsv;
};

const MarkedByteCase kMarkedByteCases[] = {
    {'\t', R"(\t)", R"(\t)"},
    {'\\', R"(\\)", R"(\\)"},
    {'"', R"(\")", "\""},
    {'\x7f', R"(\u007f)", R"(\x7f)"},
    {'\x80', R"(\udc80)", R"(\x80)"},
    {'\0', R"(\u0000)", R"(\x00)"},
};

class MarkedByteTest : public ::testing::TestWithParam<MarkedByteCase> {};

// The byte at every place, once or twice, in texts shorter and longer than
// the sixteen bytes the scan takes at once: it is found wherever it stands,
// and nothing around it is lost or doubled.
TEST_P(MarkedByteTest, IsFoundAtEveryPlace) {
  const MarkedByteCase& test = GetParam();
  for (std::size_t size = 1; size <= 40; ++size) {
    for (std::size_t first = 0; first < size; ++first) {
      for (std::size_t second = first; second < size; ++second) {
        std::string text(size, 'a');
        text[first] = text[second] = test.byte;
        std::string json_expected;
        std::string tsv_expected;
        for (const char c : text) {
          json_expected += c == test.byte ? test.json : std::string(1, c);
          tsv_expected += c == test.byte ? test.tsv : std::string(1, c);
        }
        std::string json;
        AppendJsonContent(json, text);
        std::string tsv;
        AppendEscaped(tsv, text, EscapeFor::Tsv);
        ASSERT_EQ(json, json_expected) << size << " " << first << " " << second;
        ASSERT_EQ(tsv, tsv_expected) << size << " " << first << " " << second;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, MarkedByteTest, ::testing::ValuesIn(kMarkedByteCases));

// A long text goes in pieces that never split a UTF-8 sequence: escaped
// piece by piece, it reads as it does whole.
TEST(AppendInPiecesTest, EscapesAsTheWholeText) {
  const std::string texts[] = {std::string(40000, 'a'),
                               std::string(16383, 'a') + "\xE2\x82\xAC" + std::string(20000, 'b'),
                               "\xF0\x9F\x98\x80"s + std::string(16378, 'c') + "\xF0\x9F\x98\x80",
                               std::string(40000, '\x80'),
                               // The cut must not split a "<U+" from the "+".
                               std::string(16383, 'a') + "<U+202E>",
                               std::string(16382, 'a') + "<U+202E>"};
  for (const std::string& text : texts) {
    std::string whole;
    AppendEscaped(whole, text, EscapeFor::Terminal);
    std::string pieces;
    int between = 0;
    AppendInPieces(
        pieces,
        text,
        [](Text& out, std::string_view piece) { AppendEscaped(out, piece, EscapeFor::Terminal); },
        [&] { ++between; });
    EXPECT_EQ(pieces, whole);
    EXPECT_GE(between, 2);
  }
}

struct Utf8Case {
  std::string text;
  std::size_t length;
};

const Utf8Case kUtf8Cases[] = {
    {"a", 1},
    {"\xC3\xBC", 2},
    {"\xE2\x82\xAC", 3},
    {"\xF0\x9F\x98\x80", 4},
    {"\xF4\x8F\xBF\xBF", 4},  // U+10FFFF
    {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
    {"\xC1\xBF", 0},          // overlong
    {"\xE0\x9F\xBF", 0},      // overlong
    {"\xED\xBF\xBF", 0},      // surrogate
    {"\x80", 0},
    {"\xE2\x82", 0},
    {"", 0},
};

TEST(Utf8Test, AcceptsOnlyWellFormedSequences) {
  for (const Utf8Case& test : kUtf8Cases) {
    EXPECT_EQ(Utf8SequenceLength(test.text, 0), test.length) << ::testing::PrintToString(test.text);
  }
  EXPECT_EQ(Utf8CodePoint("\xE2\x80\xAE"), U'\x202E');
}

// Texts whose escapes are the longest there are, for a byte and for each
// length of character: what the escapers write never needs more room than
// they promise, and a control for a person takes all of it.
struct LongestEscapeCase {
  std::string text;
};

const LongestEscapeCase kLongestEscapeCases[] = {
    {"\x01"},
    {"\x7F"},
    {"\xFF"},
    {"\xC2\x85"},
    {"\xE2\x80\xAE"},
    {"\xF3\xA0\x80\x81"},
    {"<U+"},
    {"\\"},
    {"\""},
    {"\t"},
    {"\xF0\x9F\x98"},
    {"\xED\xA0\x80"},
};

class LongestEscapeTest : public ::testing::TestWithParam<LongestEscapeCase> {};

TEST_P(LongestEscapeTest, FitsTheRoomPromised) {
  constexpr std::size_t kGuard = 32;  // bytes past the room, which stay as they were
  for (const std::size_t repeat : {1, 3, 40}) {
    std::string text;
    for (std::size_t i = 0; i < repeat; ++i) text += GetParam().text;
    for (const EscapeFor target : {EscapeFor::Tsv, EscapeFor::Terminal}) {
      const std::size_t room = MostEscapedBytes(target) * text.size();
      std::string written(room + kGuard, '#');
      const char* end = WriteEscaped(written.data(), text, target);
      const auto size = static_cast<std::size_t>(end - written.data());
      EXPECT_LE(size, MostEscapedBytes(target) * text.size()) << text;
      EXPECT_EQ(written.substr(room), std::string(kGuard, '#')) << text;
      std::string appended;
      AppendEscaped(appended, text, target);
      EXPECT_EQ(written.substr(0, size), appended);
    }
    const std::size_t room = kMostJsonEscapedBytes * text.size();
    std::string json(room + kGuard, '#');
    const auto size = static_cast<std::size_t>(WriteJsonContent(json.data(), text) - json.data());
    EXPECT_LE(size, kMostJsonEscapedBytes * text.size()) << text;
    EXPECT_EQ(json.substr(room), std::string(kGuard, '#')) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, LongestEscapeTest, ::testing::ValuesIn(kLongestEscapeCases));

TEST(EscapeRoomTest, AControlTakesAllTheRoomForAPerson) {
  std::string written(8, '#');
  EXPECT_EQ(WriteEscaped(written.data(), "\x01", EscapeFor::Terminal) - written.data(),
            static_cast<std::ptrdiff_t>(MostEscapedBytes(EscapeFor::Terminal)));
  std::string json(8, '#');
  EXPECT_EQ(WriteJsonContent(json.data(), "\x01") - json.data(),
            static_cast<std::ptrdiff_t>(kMostJsonEscapedBytes));
}

}  // namespace
}  // namespace morvik
