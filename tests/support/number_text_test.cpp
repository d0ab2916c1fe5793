#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "support/number.h"

namespace morvik {
namespace {

// ---- DecimalText ---------------------------------------------------------------

struct DecimalCase {
  Number value;
  Text expected;
};

class DecimalTextTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, WritesBareDigits) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(DecimalText(c.value), c.expected);
}

const DecimalCase kDecimalCases[] = {
    {0, "0"},
    {-0.0L, "0"},
    {1, "1"},
    {255, "255"},
    {65536, "65536"},
    {3232235777.0L, "3232235777"},
    {4294967295.0L, "4294967295"},  // never an exponent form
    {999999999999999.0L, "999999999999999"},
};
INSTANTIATE_TEST_SUITE_P(Wholes, DecimalTextTest, testing::ValuesIn(kDecimalCases));

TEST(DecimalTextTest, WritesEveryOtherNumberReadably) {
  // Not asked for by the address code, but nothing may break on them.
  const Number kOthers[] = {0.5L,
                            -1,
                            1e15L,
                            std::ldexp(Number{1}, 127),
                            -1e4000L,
                            1e-4940L,
                            std::numeric_limits<Number>::infinity(),
                            std::numeric_limits<Number>::quiet_NaN()};
  for (std::size_t i = 0; i < std::size(kOthers); ++i) {
    SCOPED_TRACE(i);
    const Text text = DecimalText(kOthers[i]);
    EXPECT_FALSE(text.empty());
    EXPECT_LE(text.size(), 24U);
  }
}

// ---- HexText -------------------------------------------------------------------

struct HexCase {
  std::uint32_t value;
  int digits;
  Text expected;
};

class HexTextTest : public testing::TestWithParam<HexCase> {};

TEST_P(HexTextTest, WritesUpperCaseDigits) {
  const HexCase& c = GetParam();
  EXPECT_EQ(HexText(c.value, c.digits), c.expected);
}

const HexCase kHexCases[] = {
    {0, 0, "0"},
    {10, 0, "A"},
    {255, 0, "FF"},
    {300, 0, "12C"},
    {0xFFFFFFFF, 0, "FFFFFFFF"},
    {static_cast<std::uint32_t>(-1), 0, "FFFFFFFF"},
    {0xC0A80101, 0, "C0A80101"},
    {0x0A000001, 0, "A000001"},  // natural length: no leading zeros
    {255, 4, "00FF"},
    {0x12345678, 4, "5678"},  // cut on the left
    {0xABC, 1, "C"},
    {1, 8, "00000001"},
    {1, 9, "00000001"},  // more than 8 counts as 8
    {0x12345678, 100, "12345678"},
    {5, -3, "5"},
};
INSTANTIATE_TEST_SUITE_P(Cases, HexTextTest, testing::ValuesIn(kHexCases));

// ---- MaskFormat ----------------------------------------------------------------

struct MaskCase {
  Text mask;
  std::vector<Number> numbers;
  Text expected;
};

class MaskFormatTest : public testing::TestWithParam<MaskCase> {};

// MaskFormat takes an initializer list; the table holds vectors of up to four.
Text FormatAll(const Text& mask, const std::vector<Number>& n) {
  switch (n.size()) {
    case 0: return MaskFormat(mask, {});
    case 1: return MaskFormat(mask, {n[0]});
    case 2: return MaskFormat(mask, {n[0], n[1]});
    case 3: return MaskFormat(mask, {n[0], n[1], n[2]});
    default: return MaskFormat(mask, {n[0], n[1], n[2], n[3]});
  }
}

TEST_P(MaskFormatTest, FillsTheFields) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(FormatAll(c.mask, c.numbers), c.expected);
}

const MaskCase kMaskCases[] = {
    {"#_.#_.#_.#", {192, 168, 1, 1}, "192.168.1.1"},
    {"#_.#_.#_.#", {0, 0, 0, 0}, "0.0.0.0"},
    {"#_.#_.#_.#", {255, 255, 255, 255}, "255.255.255.255"},
    {"#_.#_.#_.#", {1.5L, 2.5L, 0.5L, 254.5L}, "2.2.0.254"},  // ties to even
    {"#", {192}, "192"},                                      // a wider number widens the field
    {"###", {5}, "  5"},                                      // right-aligned, blanks on the left
    {"_##", {5}, "#5"},                                       // "_" makes "#" literal
    {"#_.", {1, 2}, "1.2."},                                  // the mask starts again when used up
    {"##_.#", {1, 2, 3}, " 1.2 3."},
    {"a#b#c", {1}, "a1b"},  // stops at the next field
    {"#_", {7}, "7_"},
    {"abc", {1}, "abc"},  // no field at all
    {"", {1}, ""},
    {"#_.#", {}, ""},
    {"#", {-5}, "-5"},
};
INSTANTIATE_TEST_SUITE_P(Cases, MaskFormatTest, testing::ValuesIn(kMaskCases));

}  // namespace
}  // namespace morvik
