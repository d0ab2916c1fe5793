#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ipv4/notation.h"
#include "tests/ipv4/recording_field_correction.h"

namespace morvik {
namespace {

using namespace std::string_literals;
using testing::CorrectionCalls;
using testing::FieldCall;
using testing::RecordingFieldCorrection;

struct HexCase {
  Text hex;
  Text dotted;
  const char* field_after;  // what the hex field is cut back to; nullptr when left alone
};

const HexCase kHexCases[] = {
    {"C0A80101", "192.168.1.1", nullptr},
    {"c0a80101", "192.168.1.1", nullptr},
    {"7F000001", "127.0.0.1", nullptr},
    {"FFFFFFFF", "255.255.255.255", nullptr},
    {"A0B", "0.0.10.11", nullptr},  // aligned to the right
    {"", "0.0.0.0", nullptr},
    {"C0A801011", "192.168.1.1", "C0A80101"},
    {"12345678ZZZZ", "18.52.86.120", "12345678"},
    {"1Z000001", "1.0.0.1", nullptr},
    {"ZZ000001", "0.0.0.1", nullptr},
    {" 1000001", "0.0.0.1", nullptr},  // a blank first makes the pair read 0
    {"1 000001", "1.0.0.1", nullptr},  // a blank second keeps the first digit
    {"0xC0A801", "0.192.168.1", nullptr},
    {"&hC0A801", "0.192.168.1", nullptr},
    {"8000FFFF", "128.0.255.255", nullptr},  // pairs never read as negative
    {"C0\0A8"s, "0.12.0.168", nullptr},
};

class HexToDottedTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToDottedTest, GivesDottedTextAndCutsOnlyLongText) {
  const HexCase& c = GetParam();
  RecordingFieldCorrection window;
  EXPECT_EQ(HexToDotted(c.hex), c.dotted);
  const std::vector<FieldCall> expected_calls =
      c.field_after != nullptr ? CorrectionCalls(AddressField::Hex, c.field_after, 8)
                               : std::vector<FieldCall>{};
  EXPECT_EQ(window.calls(), expected_calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, HexToDottedTest, ::testing::ValuesIn(kHexCases));

TEST(HexToDotted, ConvertsDottedToHexBackWithoutLoss) {
  for (const char* dotted : {"0.0.0.0",
                             "1.2.3.4",
                             "10.0.0.1",
                             "127.0.0.1",
                             "192.168.1.1",
                             "172.16.254.3",
                             "128.0.0.0",
                             "255.255.255.255"}) {
    SCOPED_TRACE(dotted);
    EXPECT_EQ(HexToDotted(DottedToHex(dotted)), dotted);
  }
}

TEST(HexToDotted, MegabyteOfDigitsIsCutToEight) {
  RecordingFieldCorrection window;
  EXPECT_EQ(HexToDotted(Text(1 << 20, 'F')), "255.255.255.255");
  EXPECT_EQ(window.calls(), CorrectionCalls(AddressField::Hex, "FFFFFFFF", 8));
}

}  // namespace
}  // namespace morvik
