#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "ipv4/notation.h"

namespace morvik {
namespace {

using namespace std::string_literals;

struct DottedCase {
  Text dotted;
  Text decimal;
  Text hex;
};

void PrintTo(const DottedCase& c, std::ostream* os) { *os << '"' << c.dotted << '"'; }

class DottedNotationTest : public testing::TestWithParam<DottedCase> {};

TEST_P(DottedNotationTest, ConvertsToDecimal) {
  const DottedCase& c = GetParam();
  EXPECT_EQ(DottedToDecimal(c.dotted), c.decimal);
}

TEST_P(DottedNotationTest, ConvertsToHex) {
  const DottedCase& c = GetParam();
  EXPECT_EQ(DottedToHex(c.dotted), c.hex);
}

const DottedCase kCanonicalCases[] = {
    {"192.168.1.1", "3232235777", "C0A80101"},
    {"10.0.0.1", "167772161", "0A000001"},
    {"127.0.0.1", "2130706433", "7F000001"},
    {"172.16.254.3", "2886794755", "AC10FE03"},
    {"255.255.255.255", "4294967295", "FFFFFFFF"},
    {"0.0.0.0", "0", "00000000"},
    {"1.2.3.4", "16909060", "01020304"},
    {"128.0.0.0", "2147483648", "80000000"},
};
INSTANTIATE_TEST_SUITE_P(Canonical, DottedNotationTest, testing::ValuesIn(kCanonicalCases));

const DottedCase kLooseCases[] = {
    // Missing components are zeros at the end.
    {"", "0", "00000000"},
    {"10", "167772160", "0A000000"},
    {"10.1", "167837696", "0A010000"},
    {"192.168.1", "3232235776", "C0A80100"},
    {"...", "0", "00000000"},
    {"1..3", "16777984", "01000300"},
    // Each component keeps its leading number, read as decimal.
    {"192.168.001.010", "3232235786", "C0A8010A"},
    {"192.168.1.1X", "3232235777", "C0A80101"},
    {"X.1.1.1", "65793", "00010101"},
    {"1. 2.3.4", "16909060", "01020304"},
    {"\t10.\n1", "167837696", "0A010000"},
    {"\r1.2.3.4", "131844", "00020304"},  // CR is not skipped
    {"1e2.0.0.0", "1677721600", "64000000"},
    {"&hFF.&o17.&b101.&17", "4279174415", "FF0F050F"},
    // Ties to even for the fractions that exponents can make.
    {"25e-1.35e-1.5e-1.15e-1", "33816578", "02040002"},
    // Out of range: modulo 256, two's complement.
    {"256.1.1.1", "65793", "00010101"},
    {"300.1.1.1", "738263297", "2C010101"},
    {"-1.0.0.0", "4278190080", "FF000000"},
    {"1.2.3.-1", "16909311", "010203FF"},
    {"&hFFFF.0.0.0", "4278190080", "FF000000"},
    {"1e99999.1.1.1", "65793", "00010101"},  // beyond 64 bits gives byte 0
    {"1.2.3.4\0"s
     "9",
     "16909060",
     "01020304"},
};
INSTANTIATE_TEST_SUITE_P(Loose, DottedNotationTest, testing::ValuesIn(kLooseCases));

TEST(DottedNotationTest, BothNotationsNameTheSameAddress) {
  const Text kInputs[] = {"1.2.3.4",
                          "255.0.255.0",
                          "9.99.199.254",
                          "300.-2.7e1.x",
                          "4294967295",
                          "-129.-128.-127.65535"};
  for (const Text& dotted : kInputs) {
    SCOPED_TRACE(dotted);
    const Text hex = DottedToHex(dotted);
    ASSERT_EQ(hex.size(), 8U);
    EXPECT_EQ(std::stoull(hex, nullptr, 16), std::stoull(DottedToDecimal(dotted)));
  }
}

TEST(DottedNotationTest, HugeTextsStillGiveAnAddress) {
  // A component of a million digits lies far beyond 64 bits and so gives 0.
  const Text digits(1'000'000, '9');
  EXPECT_EQ(DottedToHex("1." + digits + ".3.4"), "01000304");
  // More than three dots never reach here from the window; the fourth
  // component then starts with a number and keeps it.
  const Text dots(100'000, '.');
  EXPECT_EQ(DottedToHex("1.2.3.4" + dots), "01020304");
  EXPECT_EQ(DottedToDecimal(dots), "0");
}

// Every byte value in every place, against the standard library's digits.
TEST(DottedTextTest, WritesEveryByteInEveryPlace) {
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    const Text digits = std::to_string(byte);
    SCOPED_TRACE(digits);
    EXPECT_EQ(DottedText(byte << 24 | 0x000A0B0C), digits + ".10.11.12");
    EXPECT_EQ(DottedText(byte << 16 | 0x0D00000E), "13." + digits + ".0.14");
    EXPECT_EQ(DottedText(byte << 8 | 0xFF0000FF), "255.0." + digits + ".255");
    EXPECT_EQ(DottedText(byte | 0x01020300), "1.2.3." + digits);
    Text four_times = digits;
    for (int place = 1; place < 4; ++place) {
      four_times += '.';
      four_times += digits;
    }
    EXPECT_EQ(DottedText(byte * 0x01010101u), four_times);
  }
}

}  // namespace
}  // namespace morvik
