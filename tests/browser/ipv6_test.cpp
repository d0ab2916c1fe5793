#include "browser/ipv6.h"

#include <gtest/gtest.h>

namespace morvik {
namespace {

struct Ipv6Case {
  const char* text;
  const char* written;  // nullptr: not an address
};

const Ipv6Case kIpv6Cases[] = {
    {"::1", "::1"},
    {"::", "::"},
    {"1::", "1::"},
    {"0:0:0:0:0:0:0:1", "::1"},
    {"2001:DB8:0:0:1:0:0:1", "2001:db8::1:0:0:1"},  // the first longest run
    {"2001:db8:0:0:0:1:0:0", "2001:db8::1:0:0"},
    {"1:0:1:0:1:0:1:0", "1:0:1:0:1:0:1:0"},  // single zeros stay
    {"::ffff:192.168.1.1", "::ffff:c0a8:101"},
    {"0001:0002:0003:0004:0005:0006:0007:0008", "1:2:3:4:5:6:7:8"},
    {"1:2:3:4:5:6:7:8:9", nullptr},
    {"1:2:3:4:5:6:7", nullptr},
    {"1::2::3", nullptr},
    {":1", nullptr},
    {"1:", nullptr},
    {"12345::", nullptr},
    {"::ffff:1.2.3", nullptr},
    {"::ffff:1.2.3.256", nullptr},
    {"::ffff:01.2.3.4", nullptr},  // no leading zeros in the embedded IPv4
    {"1:2:3:4:5:6:7:1.2.3.4", nullptr},
    {"g::", nullptr},
};

class BrowserIpv6Test : public ::testing::TestWithParam<Ipv6Case> {};

TEST_P(BrowserIpv6Test, ParsesAndWritesCompressed) {
  const std::optional<Ipv6Address> address = ParseBrowserIpv6(GetParam().text);
  if (GetParam().written == nullptr) {
    EXPECT_FALSE(address.has_value()) << Ipv6Text(*address);
  } else {
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(Ipv6Text(*address), GetParam().written);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BrowserIpv6Test, ::testing::ValuesIn(kIpv6Cases));

}  // namespace
}  // namespace morvik
