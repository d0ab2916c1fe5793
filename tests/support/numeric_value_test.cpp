#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "support/number.h"

namespace morvik {
namespace {

using namespace std::string_literals;

const Number kTwoTo127 = std::ldexp(Number{1}, 127);

struct ValueCase {
  Text text;
  Number expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class NumericValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumber) {
  const ValueCase& c = GetParam();
  EXPECT_EQ(NumericValue(c.text), c.expected);
}

const ValueCase kLeadInCases[] = {
    {"", 0},
    {"   ", 0},
    {"abc", 0},
    {"\r42", 0},  // CR is not skipped
    {"\v42", 0},
    {"- 5", 0},  // a blank after the sign ends the number
    {"0x1F", 0},
    {"\t42", 42},
    {"\n42", 42},
    {" 42", 42},
    {" \t\n 42", 42},
    {"12abc", 12},
    {"5\0 9"s, 5},
    {"\0 5"s, 0},
    {"\xB5", 0},
};
INSTANTIATE_TEST_SUITE_P(LeadIn, NumericValueTest, testing::ValuesIn(kLeadInCases));

const ValueCase kDecimalCases[] = {
    {"007", 7},
    {"+7", 7},
    {"-7", -7},
    {"--5", 0},
    {"+-5", 0},
    {"1e2", 100},
    {"1D2", 100},
    {"1d2", 100},
    {"1E+2", 100},
    {"2.5E-1", 0.25L},
    {"1.2.3", 1.2L},  // a second point ends the number
    {".5", 0.5L},
    {"5.", 5},
    {"-2.5", -2.5L},
    {"1e", 1},  // exponent letter without digits
    {"1e+", 1},
    {"1e 2", 1},
    {"1e2.5", 100},
    {"1.5e1", 15},
    {"4294967296", 4294967296.0L},
    {"0.000123456789012345678999", 123456789012345678.0L / 1e21L},
    // 19 and more digits: the 18 first count, the rest only move the point.
    {"1234567890123456789", 1234567890123456780.0L},
    {"12345678901234567891.5", 12345678901234567800.0L},
    {"0e99999", 0},  // zeros only, whatever the exponent
    {"1e99999", kTwoTo127},
    {"-1e99999", -kTwoTo127},
    {"1e4932", kTwoTo127},  // the value would lie at or above 10^4932
    {"1" + std::string(5000, '0'), kTwoTo127},
    {"1e-99999", 0},
    {"1e-4934", 0},
    {"0." + std::string(5000, '0') + "1", 0},
    // The exponent is clamped to 9999 before the point is placed.
    {"." + std::string(9990, '0') + "1E10000", 1e8L},
    {"." + std::string(9990, '0') + "1e99999", 1e8L},
    {"1e-10000", 0},
};
INSTANTIATE_TEST_SUITE_P(Decimal, NumericValueTest, testing::ValuesIn(kDecimalCases));

// Digits and nothing else, the common text, around the 18 significant digits
// that are kept.
const ValueCase kPlainDigitCases[] = {
    {"0", 0},
    {"3232235777", 3232235777.0L},
    {"999999999999999999", 999999999999999999.0L},
    {"1999999999999999999", 1999999999999999990.0L},
    {"000000000000000000000123456789012345678", 123456789012345678.0L},
    {"0000000000000000000001234567890123456789", 1234567890123456780.0L},
    {"18446744073709551616", 18446744073709551600.0L},
    {"4294967295/", 4294967295.0L},
    {"4294967295 ", 4294967295.0L},
};
INSTANTIATE_TEST_SUITE_P(PlainDigits, NumericValueTest, testing::ValuesIn(kPlainDigitCases));

const ValueCase kRadixCases[] = {
    {"&hFF", 255},
    {"&HFF", 255},
    {"&hff", 255},
    {" &hFF", 255},
    {"&h0F", 15},
    {"&h00", 0},
    {"&h1G", 1},
    {"&hFFFF", -1},  // 16-bit pattern
    {"&h7FFF", 32767},
    {"&h8000", -32768},
    {"&h0FFFF", 65535},  // a leading zero keeps the pattern
    {"&hFFFF&", 65535},
    {"&h10000", 65536},
    {"&hFFFFFFFF", -1},  // 32-bit pattern
    {"&h0FFFFFFFF", 4294967295.0L},
    {"&hFFFFFFFF&&", 4294967295.0L},
    {"&h80000000", -2147483648.0L},
    {"&h80000000&", -2147483648.0L},
    {"&h100000000", 4294967296.0L},
    {"&h0FFFFFFFFFFFFFFFF", -1},  // 64-bit pattern read as signed
    {"&hFFFFFFFFFFFFFFFF", -1},
    {"&h8000000000000000", -9223372036854775808.0L},
    {"&h10000000000000000", 0},  // 17 digits: a bit is shifted out
    {"&h0000000000000000000001", 1},
    {"&o17", 15},
    {"&O17", 15},
    {"&q17", 15},
    {"&Q17", 15},
    {"&17", 15},  // no base letter: octal from the first digit
    {"&o18", 1},
    {"&8", 0},
    {"&x12", 0},
    {"&b101", 5},
    {"&B101", 5},
    {"&b2", 0},
    {"&b1111111111111111", -1},
    {"&b0" + std::string(64, '1'), -1},
    {std::string("&b") + std::string(65, '1'), 0},
    {"&o1777777777777777777777", -1},
    {"&o2000000000000000000000", 0},
    {"&", 0},
    {"&h", 0},
    {"&hG", 0},
    {"&h FF", 0},
    {"& hFF", 0},
    {"\r&hFF", 0},
    // Type marks.
    {"&h8000&&", 32768},
    {"&h8000&", 32768},
    {"&h8000%", -32768},
    {"&hFFFF?", 65535},
    {"&hFFFF??", 65535},
    {"&hFFFF???", 65535},
    {"&hFFFFFFFF?", 4294967295.0L},
    {"&hFFFFFFFFFFFFFFFF?", 0},
    {"&h7FFFFFFFFFFFFFFF?", 9223372036854775807.0L},
};
INSTANTIATE_TEST_SUITE_P(Radix, NumericValueTest, testing::ValuesIn(kRadixCases));

TEST(NumericValueTest, TwentyNinesAreTruncatedNotRounded) {
  const Number value = NumericValue("99999999999999999999");
  EXPECT_EQ(value, 999999999999999999.0L * 100);
  EXPECT_LT(value, 1e20L);
}

TEST(NumericValueTest, NegativeZeroActsAsZero) {
  for (const char* text : {"-0", "-", "-.", "-0e5", "-1e-99999"}) {
    SCOPED_TRACE(text);
    const Number value = NumericValue(text);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(RoundToWhole(value), 0);
    EXPECT_EQ(DecimalText(value), "0");
  }
}

TEST(NumericValueTest, ValuesNearTheEndsOfTheRangeStayFinite) {
  const Number largest = NumericValue("1" + std::string(4931, '0'));
  EXPECT_TRUE(std::isfinite(largest));
  EXPECT_GT(largest, 1e4930L);
  const Number smallest = NumericValue("1e-4933");
  EXPECT_GT(smallest, 0);
  EXPECT_LT(smallest, 1e-4932L);
}

}  // namespace
}  // namespace morvik
