#include <gtest/gtest.h>

#include <vector>

#include "ipv4/notation.h"
#include "tests/ipv4/recording_field_correction.h"

namespace morvik {
namespace {

using testing::CorrectionCalls;
using testing::FieldCall;
using testing::RecordingFieldCorrection;

struct DecimalCase {
  const char* decimal;
  const char* dotted;
  bool corrected;  // the decimal field is set back to the largest address
};

const DecimalCase kDecimalCases[] = {
    {"", "0.0.0.0", false},
    {"3232235777", "192.168.1.1", false},
    {"0003232235777", "192.168.1.1", false},
    {"   3232235777", "192.168.1.1", false},
    {"256", "0.0.1.0", false},
    {"16777216", "1.0.0.0", false},
    {"4294967295", "255.255.255.255", false},
    {"4294967294.5", "255.255.255.254", false},  // a tie goes to the even neighbour
    {"4294967296", "255.255.255.255", true},
    {"4294967295.4", "255.255.255.255", true},  // above the limit, though it rounds to it
    {"99999999999999999999", "255.255.255.255", true},
    {"1e99999", "255.255.255.255", true},
    {"-1", "255.255.255.255", false},
    {"-4294967296", "0.0.0.0", false},
    {"-4294967297", "255.255.255.255", false},
    {"-1e19", "0.0.0.0", false},  // below the 64-bit range
    {"-0.5", "0.0.0.0", false},
    {"2.5", "0.0.0.2", false},
    {"3.5", "0.0.0.4", false},
    {"1e9", "59.154.202.0", false},
    {"12abc", "0.0.0.12", false},
    {"abc", "0.0.0.0", false},
    {"&hFFFF", "255.255.255.255", false},  // reads as -1
    {"&h0FFFF", "0.0.255.255", false},
};

class DecimalToDottedTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalToDottedTest, GivesDottedTextAndCorrectsOnlyAboveTheLimit) {
  const DecimalCase& c = GetParam();
  RecordingFieldCorrection window;
  EXPECT_EQ(DecimalToDotted(c.decimal), c.dotted);
  const std::vector<FieldCall> expected_calls =
      c.corrected ? CorrectionCalls(AddressField::Decimal, "4294967295", 10)
                  : std::vector<FieldCall>{};
  EXPECT_EQ(window.calls(), expected_calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecimalToDottedTest, ::testing::ValuesIn(kDecimalCases));

TEST(DecimalToDotted, OverRangeWithoutWindowStillGivesTheLargestAddress) {
  ASSERT_EQ(InstallFieldCorrection(nullptr), nullptr);
  EXPECT_EQ(DecimalToDotted("4294967296"), "255.255.255.255");
}

TEST(DecimalToDotted, RemovedSeamReceivesNothing) {
  RecordingFieldCorrection outer;
  {
    RecordingFieldCorrection inner;
    DecimalToDotted("5000000000");
    EXPECT_EQ(inner.calls().size(), 3u);
  }
  DecimalToDotted("5000000000");
  EXPECT_EQ(outer.calls(), CorrectionCalls(AddressField::Decimal, "4294967295", 10));
}

TEST(DecimalToDotted, ConvertsDottedToDecimalBackWithoutLoss) {
  for (const char* dotted : {"0.0.0.0",
                             "1.2.3.4",
                             "10.0.0.1",
                             "127.0.0.1",
                             "192.168.1.1",
                             "172.16.254.3",
                             "128.0.0.0",
                             "255.255.255.255"}) {
    SCOPED_TRACE(dotted);
    EXPECT_EQ(DecimalToDotted(DottedToDecimal(dotted)), dotted);
  }
}

TEST(DecimalToDotted, MegabyteOfDigitsIsOverRange) {
  RecordingFieldCorrection window;
  EXPECT_EQ(DecimalToDotted(Text(1 << 20, '9')), "255.255.255.255");
  EXPECT_EQ(window.calls(), CorrectionCalls(AddressField::Decimal, "4294967295", 10));
}

}  // namespace
}  // namespace morvik
