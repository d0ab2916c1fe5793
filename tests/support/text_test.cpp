#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace morvik {
namespace {

using namespace std::string_literals;

constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

// ---- TextSlice ---------------------------------------------------------------

struct SliceCase {
  Text text;
  Position start;
  std::int64_t length;
  Text expected;
};

void PrintTo(const SliceCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextSliceTest : public testing::TestWithParam<SliceCase> {};

TEST_P(TextSliceTest, CutsThePiece) {
  const SliceCase& c = GetParam();
  EXPECT_EQ(TextSlice(c.text, c.start, c.length), c.expected);
}

const SliceCase kSliceCases[] = {
    {"hello", 1, -1, "hello"},  // -1 reaches the end
    {"hello", 1, 0, ""},
    {"hello", 0, 5, ""},
    {"hello", 6, 2147483647, ""},  // one behind the end
    {"hello", 5, 1, "o"},
    {"hello", 2, 3, "ell"},
    {"hello", 2, 99, "ello"},
    {"hello", 3, -2, "llo"},  // any negative length is huge
    {"hello", 1, 2147483647, "hello"},
    {"hello", 1, 4294967296, ""},  // 2^32 is 0 as a 32-bit count
    {"hello", 1, 4294967297, "h"},
    {"hello", -1, 1, "o"},  // negative start counts from the end
    {"hello", -5, 2, "he"},
    {"hello", -6, 2, ""},  // before the first character
    {"hello", kInt64Min, -1, ""},
    {"hello", kInt64Max, -1, ""},
    {"", 1, -1, ""},
    {"a\0b"s, 2, 2, "\0b"s},  // NUL is an ordinary character
};
INSTANTIATE_TEST_SUITE_P(Edges, TextSliceTest, testing::ValuesIn(kSliceCases));

TEST(TextSliceTest, BeforeAndAfterASeparator) {
  // The idiom the address code uses: the text before a found separator, and
  // the whole text when the separator is missing (position 0).
  const Text t = "1.2.3.4";
  EXPECT_EQ(TextSlice(t, 1, FindText(1, t, ".") - 1), "1");
  EXPECT_EQ(TextSlice(t, 1, FindText(1, t, "/") - 1), t);
  EXPECT_EQ(TextSlice(t, FindText(1, t, ".") + 1, -1), "2.3.4");
}

// ---- TextTail ----------------------------------------------------------------

struct TailCase {
  Text text;
  std::int64_t count;
  Text expected;
};

void PrintTo(const TailCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextTailTest : public testing::TestWithParam<TailCase> {};

TEST_P(TextTailTest, KeepsTheEnd) {
  const TailCase& c = GetParam();
  EXPECT_EQ(TextTail(c.text, c.count), c.expected);
}

const TailCase kTailCases[] = {
    {"AB", 8, "AB"},
    {"0012C", 2, "2C"},
    {"00F", 2, "0F"},
    {"abc", 3, "abc"},
    {"abc", 0, ""},
    {"abc", -1, "abc"},  // taken as unsigned
    {"", 2, ""},
    {"x\0"s, 1, "\0"s},
};
INSTANTIATE_TEST_SUITE_P(Edges, TextTailTest, testing::ValuesIn(kTailCases));

// ---- FindText and FindAnyOf ------------------------------------------------

struct FindCase {
  Position start;
  Text text;
  Text pattern;
  Position expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsThePosition) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindText(c.start, c.text, c.pattern), c.expected);
}

const FindCase kFindTextCases[] = {
    {1, "", ".", 0},
    {1, "", "", 0},          // an empty text has nothing, not even ""
    {8, "1.2.3.4", ".", 0},  // start beyond the end
    {7, "1.2.3.4", "", 7},   // empty pattern: found at the start
    {8, "1.2.3.4", "", 0},
    {1, "1.2.3.4", ".", 2},
    {3, "1.2.3.4", ".", 4},  // just after an earlier find
    {2, "1.2.3.4", ".", 2},  // an occurrence at the start itself counts
    {7, "1.2.3.4", "4", 7},
    {1, "1.2.3.4", "3.4", 5},
    {1, "1.2.3.4", "3.5", 0},
    {1, "1.2", "1.2.3", 0},  // longer than the text
    {1, "abc", "B", 0},      // bytes compare exactly
    {1, "a\0b"s, "\0"s, 2},
    {0, "abc", "c", 3},  // a start below 1 counts as 1
    {kInt64Min, "abc", "a", 1},
    {kInt64Max, "abc", "a", 0},
};
INSTANTIATE_TEST_SUITE_P(Edges, FindTextTest, testing::ValuesIn(kFindTextCases));

class FindAnyOfTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindAnyOfTest, FindsThePosition) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindAnyOf(c.start, c.text, c.pattern), c.expected);
}

const FindCase kFindAnyOfCases[] = {
    {1, "", "abc", 0},
    {4, "abc", "abc", 0},
    {2, "abc", "", 2},
    {1, "7", "0123456789", 1},  // one-character membership test
    {1, "G", "0123456789ABCDEF", 0},
    {1, "a-b/c", "/-", 2},
    {3, "a-b/c", "/-", 4},
    {1, "\xFF\x80"s, "\x80"s, 2},
    {1, "ab\0"s, "\0"s, 3},
};
INSTANTIATE_TEST_SUITE_P(Edges, FindAnyOfTest, testing::ValuesIn(kFindAnyOfCases));

// The set of all bytes 1 to 255 except digits, upper-case letters, "." and "-":
// the characters that end a host.
Text HostEndingCharacters() {
  Text set;
  for (int code = 1; code <= 255; ++code) {
    const bool host_character =
        (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || code == '.' || code == '-';
    if (!host_character) {
      set += static_cast<char>(code);
    }
  }
  return set;
}

TEST(FindAnyOfTest, FindsTheEndOfAHost) {
  const Text set = HostEndingCharacters();
  EXPECT_EQ(FindAnyOf(1, "1.2.3.4", set), 0);
  EXPECT_EQ(FindAnyOf(1, "1.2.3.4/x", set), 8);
  EXPECT_EQ(FindAnyOf(1, "HOST-1.EXAMPLE:80", set), 15);
}

// ---- CountText and ReplaceText -------------------------------------------------

struct CountCase {
  Text text;
  Text pattern;
  std::int64_t expected;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class CountTextTest : public testing::TestWithParam<CountCase> {};

TEST_P(CountTextTest, CountsNonOverlapping) {
  const CountCase& c = GetParam();
  EXPECT_EQ(CountText(c.text, c.pattern), c.expected);
}

const CountCase kCountCases[] = {
    {"1.2.3.4", ".", 3},
    {"...", "..", 1},  // the count goes on behind each occurrence
    {"....", "..", 2},
    {"aaaaa", "aa", 2},
    {"abc", "", 0},
    {"", ".", 0},
    {"ab", "abc", 0},
    {"a\0a\0"s, "\0"s, 2},
};
INSTANTIATE_TEST_SUITE_P(Edges, CountTextTest, testing::ValuesIn(kCountCases));

struct ReplaceCase {
  Text text;
  Text pattern;
  Text replacement;
  Text expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ReplaceTextTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, ReplacesInOnePass) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(ReplaceText(c.text, c.pattern, c.replacement), c.expected);
}

const ReplaceCase kReplaceCases[] = {
    {"%2541", "%25", "%", "%41"},  // the new "%" is not examined again
    {"%25%2541", "%25", "%", "%%41"},
    {"aaa", "a", "aa", "aaaaaa"},  // the replacement is never searched
    {"aXa", "X", "", "aa"},        // the joined "aa" is no new occurrence
    {"aaaa", "aa", "b", "bb"},
    {"aaa", "aa", "b", "ba"},  // left to right, non-overlapping
    {"abc", "", "x", "abc"},
    {"ab", "abc", "x", "ab"},
    {"abc", "d", "x", "abc"},
    {"", "a", "x", ""},
    {"a.b.c", ".", "::", "a::b::c"},
    {"x\0y"s, "\0"s, "-", "x-y"},
};
INSTANTIATE_TEST_SUITE_P(Edges, ReplaceTextTest, testing::ValuesIn(kReplaceCases));

// ---- ASCII case ----------------------------------------------------------------

TEST(AsciiCaseTest, FoldsOnlyAsciiLetters) {
  struct Case {
    Text a;
    Text b;
    bool equal;
  };
  const Case cases[] = {
      {"Example.COM", "example.com", true},
      {"\xC3\x84x", "\xC3\xA4x", false},  // UTF-8 letters keep their case
      {"a@[", "A`{", false},              // the neighbours of A-Z and a-z do not fold
      {"ab\0"s, "AB\0"s, true},
      {"ab", "abc", false},
      {"", "", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.a);
    EXPECT_EQ(EqualsIgnoringAsciiCase(test.a, test.b), test.equal);
    EXPECT_EQ(AsciiLowerCase(test.a) == AsciiLowerCase(test.b), test.equal);
  }
  EXPECT_EQ(AsciiLowerCase("HTTP://X\x84Z@["), "http://x\x84z@[");
}

TEST(AsciiCaseTest, MatchesAPrefixInAnyAsciiCase) {
  struct Case {
    Text text;
    Text prefix;
    bool starts;
  };
  const Case cases[] = {
      {"XN--mnchen-3ya", "xn--", true},
      {"xN--", "Xn--", true},
      {"xn-", "xn--", false},  // shorter than the prefix
      {"\xC3\x84x", "\xC3\xA4", false},
      {"anything", "", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.text);
    EXPECT_EQ(StartsWithIgnoringAsciiCase(test.text, test.prefix), test.starts);
  }
}

// ---- IsAscii, HexDigit ---------------------------------------------------------

TEST(IsAsciiTest, StopsAtTheFirstByteFrom0x80) {
  EXPECT_TRUE(IsAscii(""));
  EXPECT_TRUE(IsAscii("a\x7F\0"s));
  EXPECT_FALSE(IsAscii("abc\x80"));
  EXPECT_FALSE(IsAscii("\xC3\xA4"));
}

// The bytes are read several at a time: a byte from 0x80 on is seen at every
// place, inside a group and in the bytes after the last whole group.
TEST(IsAsciiTest, SeesAHighByteAtEveryPlace) {
  for (const char high : {'\x80', '\xFF'}) {
    for (std::size_t size = 1; size <= 25; ++size) {
      EXPECT_TRUE(IsAscii(std::string(size, '\x7F'))) << size;
      for (std::size_t at = 0; at < size; ++at) {
        std::string text(size, 'a');
        text[at] = high;
        EXPECT_FALSE(IsAscii(text)) << size << " " << at;
      }
    }
  }
}

TEST(HexDigitTest, ReadsTheTwentyTwoDigitsOnly) {
  const std::pair<char, int> cases[] = {
      {'0', 0},
      {'9', 9},
      {'a', 10},
      {'f', 15},
      {'A', 10},
      {'F', 15},
      // The neighbours of each range, and a byte whose low 7 bits are a digit.
      {'/', -1},
      {':', -1},
      {'`', -1},
      {'g', -1},
      {'@', -1},
      {'G', -1},
      {'\xB1', -1},
  };
  for (const auto& [c, value] : cases) {
    EXPECT_EQ(HexDigit(c), value) << c;
  }
}

// ---- UpperCaseText -----------------------------------------------------------

TEST(UpperCaseTextTest, MapsExactlyTheLettersWithPartners) {
  const std::vector<std::pair<int, int>> kPageLetters = {{0x84, 0x8E},
                                                         {0x94, 0x99},
                                                         {0x81, 0x9A},
                                                         {0x82, 0x90},
                                                         {0xA4, 0xA5},
                                                         {0x86, 0x8F},
                                                         {0x87, 0x80}};
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    int expected = byte;
    if (byte >= 'a' && byte <= 'z') {
      expected = byte - 'a' + 'A';
    }
    for (const auto& [lower, upper] : kPageLetters) {
      if (byte == lower) {
        expected = upper;
      }
    }
    const Text upper = UpperCaseText(CharText(byte));
    ASSERT_EQ(upper.size(), 1U);
    EXPECT_EQ(static_cast<unsigned char>(upper[0]), expected);
  }
}

TEST(UpperCaseTextTest, KeepsLengthAndNul) {
  EXPECT_EQ(UpperCaseText("ab\0cd"s), "AB\0CD"s);
  EXPECT_EQ(UpperCaseText("Host-1.example/Path?q=z"), "HOST-1.EXAMPLE/PATH?Q=Z");
  EXPECT_EQ(UpperCaseText(""), "");
}

// ---- Trimming and CharText -----------------------------------------------------

struct TrimCase {
  Text text;
  Text leading_trimmed;
  Text trailing_trimmed;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TrimTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, RemovesBlanksOnly) {
  const TrimCase& c = GetParam();
  EXPECT_EQ(TrimLeadingBlanks(c.text), c.leading_trimmed);
  EXPECT_EQ(TrimTrailingBlanks(c.text), c.trailing_trimmed);
}

const TrimCase kTrimCases[] = {
    {"  a b  ", "a b  ", "  a b"},
    {"\ta\t", "\ta\t", "\ta\t"},  // TAB is no blank
    {" \r\n", "\r\n", " \r\n"},
    {"   ", "", ""},
    {"", "", ""},
    {" \0 "s, "\0 "s, " \0"s},
};
INSTANTIATE_TEST_SUITE_P(Edges, TrimTest, testing::ValuesIn(kTrimCases));

TEST(CharTextTest, HoldsTheLowEightBits) {
  const struct {
    std::int64_t code;
    Text expected;
  } kCases[] = {
      {0, "\0"s},
      {65, "A"},
      {255, "\xFF"},
      {256 + 66, "B"},
      {-1, "\xFF"},
      {kInt64Min, "\0"s},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(CharText(c.code), c.expected);
  }
  EXPECT_EQ(TextLength(CharText(0)), 1);
}

}  // namespace
}  // namespace morvik
