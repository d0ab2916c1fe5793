#include "browser/ipv4.h"

#include <gtest/gtest.h>

#include "ipv4/notation.h"

namespace morvik {
namespace {

struct Ipv4Case {
  const char* host;
  const char* dotted;  // nullptr: the browser refuses the host
  bool hex_part = false;
  bool octal_part = false;
  int parts = 0;
};

const Ipv4Case kIpv4Cases[] = {
    {"192.168.1.1", "192.168.1.1", false, false, 4},
    {"192.168.1.1.", "192.168.1.1", false, false, 4},  // one trailing dot is allowed
    {"0x7f.0.0.1", "127.0.0.1", true, false, 4},
    {"0X7F.0.0.1", "127.0.0.1", true, false, 4},
    {"0x.0.0.1", "0.0.0.1", true, false, 4},  // "0x" alone is zero
    {"0177.0.0.1", "127.0.0.1", false, true, 4},
    {"010.0.0.1", "8.0.0.1", false, true, 4},
    {"00.0.0.1", "0.0.0.1", false, false, 4},  // octal 00 is decimal 0: not misleading
    {"07.0.0.1", "7.0.0.1", false, false, 4},
    {"127.1", "127.0.0.1", false, false, 2},
    {"127.0.1", "127.0.0.1", false, false, 3},
    {"10.0x10000", "10.1.0.0", true, false, 2},
    {"3232235777", "192.168.1.1", false, false, 1},
    {"0xC0A80101", "192.168.1.1", true, false, 1},
    {"030052000401", "192.168.1.1", false, true, 1},
    {"4294967295", "255.255.255.255", false, false, 1},
    {"0", "0.0.0.0", false, false, 1},
    // Range rules: every part but the last at most 255; the last below
    // 256^(5 - parts).
    {"4294967296", nullptr},
    {"256.0.0.1", nullptr},
    {"1.256.0.1", nullptr},
    {"1.2.3.256", nullptr},
    {"1.2.65535", "1.2.255.255", false, false, 3},
    {"1.2.65536", nullptr},
    {"1.16777215", "1.255.255.255", false, false, 2},
    {"1.16777216", nullptr},
    {"99999999999999999999999", nullptr},  // no overflow into a valid value
    // Malformed parts.
    {"1.2.3.4.5", nullptr},
    {"1..2.3", nullptr},
    {"1.2.3.4..", nullptr},
    {"08.0.0.1", nullptr},  // 8 is no octal digit
    {"0xg.0.0.1", nullptr},
    {"1.2.3.x", nullptr},
    {".", nullptr},
};

class BrowserIpv4Test : public ::testing::TestWithParam<Ipv4Case> {};

TEST_P(BrowserIpv4Test, ReadsAddressesAsBrowsersDo) {
  const Ipv4Case& test = GetParam();
  const std::optional<BrowserIpv4> result = ParseBrowserIpv4(test.host);
  if (test.dotted == nullptr) {
    EXPECT_FALSE(result.has_value()) << DottedText(result->address);
    return;
  }
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(DottedText(result->address), test.dotted);
  EXPECT_EQ(result->hex_part, test.hex_part);
  EXPECT_EQ(result->octal_part, test.octal_part);
  EXPECT_EQ(result->parts, test.parts);
}

INSTANTIATE_TEST_SUITE_P(Cases, BrowserIpv4Test, ::testing::ValuesIn(kIpv4Cases));

struct EndsInNumberCase {
  const char* host;
  bool ends_in_a_number;
};

const EndsInNumberCase kEndsInNumberCases[] = {
    {"example.com", false},
    {"1.2.3.4", true},
    {"example.123", true},  // must then parse as IPv4 (and fails)
    {"example.0x1f", true},
    {"example.0x", true},
    {"example.09", true},  // all digits, although no valid octal
    {"example.1a", false},
    {"1.2.3.4.", true},    // one trailing dot is ignored
    {"1.2.3.4..", false},  // a second one is not
    {"", false},
    {".", false},
    {"123", true},
    {"a.-1", false},
};

class EndsInANumberTest : public ::testing::TestWithParam<EndsInNumberCase> {};

TEST_P(EndsInANumberTest, LooksAtTheLastLabel) {
  EXPECT_EQ(EndsInANumber(GetParam().host), GetParam().ends_in_a_number) << GetParam().host;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndsInANumberTest, ::testing::ValuesIn(kEndsInNumberCases));

}  // namespace
}  // namespace morvik
