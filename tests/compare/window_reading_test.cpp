#include "compare/window_reading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "compare/plain_dotted.h"
#include "ipv4/host.h"
#include "ipv4/notation.h"
#include "tests/ipv4/fake_resolver.h"
#include "url/decode_url.h"

namespace morvik {
namespace {

using namespace std::string_literals;
using testing::FakeResolver;

struct WindowCase {
  std::string url;
  std::string host;
  const char* dotted;  // nullptr: no address without a look-up
  const char* decimal;
  const char* hex;
};

const WindowCase kWindowCases[] = {
    {"http://somename&x=1@3232235777/%61bc",
     "192.168.1.1",
     "192.168.1.1",
     "3232235777",
     "C0A80101"},
    {"http://somehost/index.html", "SOMEHOST", nullptr, nullptr, nullptr},
    {"http://010.001.1.1/", "010.001.1.1", "010.001.1.1", "167837953", "0A010101"},
    {"http://MAIL.EXAMPLE.CO.TEST/",
     "MAIL.EXAMPLE.CO.TEST",
     "MAIL.EXAMPLE.CO.TEST",
     "0",
     "00000000"},
    {"http://1.2.3.4x/", "1.2.3.4X", "1.2.3.4X", "16909060", "01020304"},
    {"http://10.0.0.300/a", "10.0.0.300", nullptr, nullptr, nullptr},
    {"http://3232235777", "3232235777", nullptr, nullptr, nullptr},  // no slash, no rewrite
    {"http://host_a.example.test/", "HOST", nullptr, nullptr, nullptr},
    {"http:///abc", "0.0.0.0", "0.0.0.0", "0", "00000000"},
    {"http://somehost%00x/", "SOMEHOST\0X"s, nullptr, nullptr, nullptr},  // NUL does not end it
    {"  192.168.1.1 /x", "192.168.1.1", "192.168.1.1", "3232235777", "C0A80101"},
    {"", "", nullptr, nullptr, nullptr},
};

class WindowReadingTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowReadingTest, ReadsAsTheWindowDoes) {
  const WindowCase& test = GetParam();
  const WindowReading reading = ReadAsWindow(test.url, nullptr);
  EXPECT_EQ(reading.host_text, DecodeUrl(test.url));
  EXPECT_EQ(reading.UpperCaseHost(), test.host);
  EXPECT_FALSE(reading.looked_up);
  if (test.dotted == nullptr) {
    EXPECT_FALSE(reading.dotted.has_value());
    return;
  }
  ASSERT_TRUE(reading.dotted.has_value());
  EXPECT_EQ(*reading.dotted, test.dotted);
  EXPECT_EQ(reading.decimal, test.decimal);
  EXPECT_EQ(reading.hex, test.hex);
  EXPECT_EQ(reading.address, std::stoul(test.decimal));
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowReadingTest, ::testing::ValuesIn(kWindowCases));

TEST(WindowReadingTest, LooksUpExactlyAsResolveDoes) {
  for (const std::string url : {"http://server1.example.test:8080/start",
                                "http://unknown-host.test/",
                                "http://1.2.3.4/",
                                "/start",
                                "http://10.0.0.300/a"}) {
    SCOPED_TRACE(url);
    const FakeResolver resolver;
    const WindowReading reading = ReadAsWindow(url, &resolver);
    ASSERT_TRUE(reading.dotted.has_value());
    const FakeResolver same_resolver;
    EXPECT_EQ(*reading.dotted, HostToDotted(DecodeUrl(url), same_resolver));
    EXPECT_EQ(resolver.asked(), same_resolver.asked());
    EXPECT_EQ(reading.hex, DottedToHex(*reading.dotted));
  }
  const FakeResolver resolver;
  EXPECT_EQ(*ReadAsWindow("http://server1.example.test/", &resolver).dotted, "10.0.0.5");
}

TEST(WindowReadingTest, RecordsTheOverRangeCorrection) {
  const WindowReading over = ReadAsWindow("http://4294967296/", nullptr);
  EXPECT_EQ(*over.dotted, "255.255.255.255");
  ASSERT_TRUE(over.over_range_correction.has_value());
  EXPECT_EQ(*over.over_range_correction, "4294967295");
  EXPECT_FALSE(ReadAsWindow("http://4294967295/", nullptr).over_range_correction.has_value());
}

// The direct reading of plain dotted text must give what the window's
// general rules give for it, and must not claim any other text.
TEST(PlainDottedTest, AgreesWithTheWindowsRules) {
  std::mt19937 random(7);
  const std::string alphabet = "0123456789..x -";
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 16);
    for (int j = 0; j < length; ++j) text += alphabet[random() % alphabet.size()];
    if (i % 2 == 0) {  // half of them well-formed, to reach the accepting path often
      text = std::to_string(random() % 300) + "." + std::to_string(random() % 256) + "." +
             std::to_string(random() % 256) + "." + std::to_string(random() % 1000);
    }
    SCOPED_TRACE(text);
    const std::optional<std::uint32_t> value = PlainDottedValue(text);
    if (!value) continue;
    ASSERT_TRUE(IsDottedAddress(text));
    EXPECT_EQ(DecimalNotation(*value), DottedToDecimal(text));
    EXPECT_EQ(HexNotation(*value), DottedToHex(text));
  }
  for (const char* text : {"1.2.3",
                           "1.2.3.4.",
                           "1.2.3.0004",
                           "256.1.1.1",
                           "1.2.3.4 ",
                           " 1.2.3.4",
                           "1.2..3",
                           "1e2.1.1.1",
                           "+1.2.3.4"}) {
    EXPECT_FALSE(PlainDottedValue(text).has_value()) << text;
  }
  EXPECT_EQ(*PlainDottedValue("010.001.1.1"), 0x0A010101u);
}

}  // namespace
}  // namespace morvik
