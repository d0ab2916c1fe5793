#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "support/number.h"

namespace morvik {
namespace {

constexpr Whole kWholeMin = std::numeric_limits<Whole>::min();
constexpr Whole kWholeMax = std::numeric_limits<Whole>::max();
const Number kTwoTo63 = std::ldexp(Number{1}, 63);

// ---- RoundToWhole --------------------------------------------------------------

struct RoundCase {
  Number value;
  Whole expected;
};

class RoundToWholeTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToWholeTest, RoundsToNearestEven) {
  const RoundCase& c = GetParam();
  EXPECT_EQ(RoundToWhole(c.value), c.expected);
}

const RoundCase kRoundCases[] = {
    {0, 0},
    {-0.0L, 0},
    {0.5L, 0},
    {1.5L, 2},
    {2.5L, 2},
    {3.5L, 4},
    {-0.5L, 0},
    {-1.5L, -2},
    {-2.5L, -2},
    {std::nextafter(0.5L, 0.0L), 0},
    {std::nextafter(2.5L, 3.0L), 3},
    {std::nextafter(-2.5L, -3.0L), -3},
    {4294967295.5L, 4294967296},
    {kTwoTo63 - 1, kWholeMax},
    {kTwoTo63 - 0.5L, kWholeMin},  // the tie goes up to 2^63: out of range
    {-kTwoTo63, kWholeMin},
    {-kTwoTo63 - 1, kWholeMin},
    {kTwoTo63, kWholeMin},
    {1e20L, kWholeMin},
    {std::ldexp(Number{1}, 127), kWholeMin},
    {std::numeric_limits<Number>::infinity(), kWholeMin},
    {-std::numeric_limits<Number>::infinity(), kWholeMin},
    {std::numeric_limits<Number>::quiet_NaN(), kWholeMin},
    {std::numeric_limits<Number>::denorm_min(), 0},
};
INSTANTIATE_TEST_SUITE_P(Ties, RoundToWholeTest, testing::ValuesIn(kRoundCases));

TEST(RoundToWholeTest, LowThirtyTwoBits) {
  EXPECT_EQ(static_cast<std::uint32_t>(RoundToWhole(1e20L)), 0U);
  EXPECT_EQ(static_cast<std::uint32_t>(RoundToWhole(4294967296.0L)), 0U);
  EXPECT_EQ(static_cast<std::uint32_t>(RoundToWhole(-1)), 0xFFFFFFFFU);
}

TEST(RoundToWholeTest, DoesNotDependOnTheRoundingMode) {
  const int saved = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(std::fesetround(mode), 0);
    EXPECT_EQ(RoundToWhole(2.5L), 2);
    EXPECT_EQ(RoundToWhole(2.4L), 2);
    EXPECT_EQ(RoundToWhole(-2.6L), -3);
    EXPECT_EQ(std::fegetround(), mode);
  }
  std::fesetround(saved);
}

// ---- WholeQuotient and Remainder ---------------------------------------------

// Splits an address value into its four bytes the way the decimal field does.
struct AddressCase {
  Number address;
  Number b1, b2, b3, b4;
};

class ByteSplitTest : public testing::TestWithParam<AddressCase> {};

TEST_P(ByteSplitTest, GivesTheFourBytes) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(WholeQuotient(c.address, 16777216), c.b1);
  EXPECT_EQ(Remainder(WholeQuotient(c.address, 65536), 256), c.b2);
  EXPECT_EQ(Remainder(WholeQuotient(c.address, 256), 256), c.b3);
  EXPECT_EQ(Remainder(c.address, 256), c.b4);
}

const AddressCase kAddressCases[] = {
    {4294967295.0L, 255, 255, 255, 255},
    {3232235777.0L, 192, 168, 1, 1},
    {0, 0, 0, 0, 0},
    {16777216, 1, 0, 0, 0},
    {16777215, 0, 255, 255, 255},
};
INSTANTIATE_TEST_SUITE_P(Addresses, ByteSplitTest, testing::ValuesIn(kAddressCases));

struct DivisionCase {
  Number a;
  Number b;
  Number expected;
};

class WholeQuotientTest : public testing::TestWithParam<DivisionCase> {};

TEST_P(WholeQuotientTest, RoundsOperandsAndTruncates) {
  const DivisionCase& c = GetParam();
  EXPECT_EQ(WholeQuotient(c.a, c.b), c.expected);
}

const DivisionCase kQuotientCases[] = {
    {3232235777.0L, 16777216, 192},
    {7, 2, 3},
    {-7, 2, -3},  // toward zero
    {7, -2, -3},
    {7.5L, 2, 4},               // 8 / 2: operands rounded first
    {6.5L, 2, 3},               // 6 / 2: ties to even
    {7, 2.5L, 3},               // 7 / 2
    {-kTwoTo63, -1, kTwoTo63},  // the one quotient a Whole cannot hold
    {kTwoTo63 - 1, 1, kTwoTo63 - 1},
    {5, 0, 0},  // never asked for, but harmless
    {5, 0.4L, 0},
};
INSTANTIATE_TEST_SUITE_P(Cases, WholeQuotientTest, testing::ValuesIn(kQuotientCases));

class RemainderTest : public testing::TestWithParam<DivisionCase> {};

TEST_P(RemainderTest, HasTheSignOfTheDividend) {
  const DivisionCase& c = GetParam();
  EXPECT_EQ(Remainder(c.a, c.b), c.expected);
}

const DivisionCase kRemainderCases[] = {
    {49320, 256, 168},
    {-7, 2, -1},
    {7, -2, 1},
    {7.5L, 2, 1.5L},  // operands are not rounded
    {5, 0, 0},        // a divisor of 0 gives 0
    {-256, 256, 0},
    {1e4000L, 1e4000L, 0},
    {5, std::numeric_limits<Number>::infinity(), 5},
    {std::numeric_limits<Number>::infinity(), 2, 0},
    {std::numeric_limits<Number>::quiet_NaN(), 2, 0},
};
INSTANTIATE_TEST_SUITE_P(Cases, RemainderTest, testing::ValuesIn(kRemainderCases));

}  // namespace
}  // namespace morvik
