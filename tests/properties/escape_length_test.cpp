// Decoding percent-escapes only ever shortens a text and leaves no escape
// behind. The whole of DecodeUrl may lengthen it, by the numeric-host rewrite
// alone: "/" becomes "0.0.0.0/", seven characters more, and no host does
// worse (a host of one or more digits gives at most six more).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string_view>

#include "url/decode_url.h"

namespace morvik {
namespace {

constexpr int kTexts = 100000;
constexpr Position kLongestGrowth = 7;  // TextLength("0.0.0.0")

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool HoldsEscape(const Text& text) {
  for (std::size_t at = 0; at + 2 < text.size(); ++at) {
    if (text[at] == '%' && IsHexDigit(text[at + 1]) && IsHexDigit(text[at + 2])) return true;
  }
  return false;
}

// Random texts over the characters that matter here: the escape introducer,
// digits and letters that make escapes of "%" ("%25"), of digits ("%3") and of
// the host's end ("%2F", "%5C"), the markers of a URL and a character that is
// none of these.
class UrlTextSource {
 public:
  Text Next() {
    static constexpr std::string_view kAlphabet = "%%%253FfCc0179/\\@:x";
    const int length = std::uniform_int_distribution<int>(0, 24)(random_);
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    Text text;
    for (int i = 0; i < length; ++i) text += kAlphabet[pick(random_)];
    return text;
  }

 private:
  std::mt19937 random_{7051};  // fixed: every run checks the same texts
};

TEST(EscapeLength, DecodingEscapesNeverLengthensAndLeavesNoEscape) {
  UrlTextSource source;
  int failures = 0;
  for (int i = 0; i < kTexts && failures < 5; ++i) {
    const Text text = source.Next();
    const Text decoded = DecodePercentEscapes(text);
    if (TextLength(decoded) <= TextLength(text) && !HoldsEscape(decoded)) continue;
    ++failures;
    ADD_FAILURE() << ::testing::PrintToString(text) << " decodes to "
                  << ::testing::PrintToString(decoded);
  }
  EXPECT_EQ(failures, 0);
}

TEST(EscapeLength, OnlyTheNumericHostRewriteLengthensAUrl) {
  UrlTextSource source;
  int failures = 0;
  Position longest_growth = 0;
  for (int i = 0; i < kTexts && failures < 5; ++i) {
    const Text text = source.Next();
    const Text host_text = DecodeUrl(text);
    const Position growth = TextLength(host_text) - TextLength(text);
    longest_growth = std::max(longest_growth, growth);
    // Without a slash or backslash after decoding nothing is rewritten.
    const bool may_grow = FindAnyOf(1, DecodePercentEscapes(text), "/\\") > 0;
    if (growth <= (may_grow ? kLongestGrowth : 0)) continue;
    ++failures;
    ADD_FAILURE() << ::testing::PrintToString(text) << " grows by " << growth << " to "
                  << ::testing::PrintToString(host_text);
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(longest_growth, kLongestGrowth) << "the random texts should reach the bound";
  EXPECT_EQ(DecodeUrl("/"), "0.0.0.0/");
}

}  // namespace
}  // namespace morvik
