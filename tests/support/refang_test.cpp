#include "support/refang.h"

#include <gtest/gtest.h>

#include <string>

namespace morvik {
namespace {

struct RefangCase {
  const char* defanged;
  const char* live;
};

const RefangCase kRefangCases[] = {
    {"hxxp://evil[.]example/x", "http://evil.example/x"},
    {"hXXps://evil(.)example", "https://evil.example"},
    {"HXXP://EVIL[DOT]EXAMPLE", "HTTP://EVIL.EXAMPLE"},
    {"hxxp[://]evil[dot]example[:]8080/", "http://evil.example:8080/"},
    {"http://plain.example/", "http://plain.example/"},
    {"evil[.", "evil[."},  // an incomplete form stays
    {"[DOT]", "."},
    {"a(.)", "a."},
    {"hxx", "hxx"},
    {"", ""},
};

class RefangTest : public ::testing::TestWithParam<RefangCase> {};

TEST_P(RefangTest, UndoesCommonDefanging) {
  EXPECT_EQ(Refang(GetParam().defanged), GetParam().live);
}

// Exactly the texts that Refang changes hold a marker.
TEST_P(RefangTest, FindsAMarkerWhereRefangChangesTheText) {
  EXPECT_EQ(HasDefangMarker(GetParam().defanged),
            std::string(GetParam().defanged) != GetParam().live);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefangTest, ::testing::ValuesIn(kRefangCases));

TEST(DefangTest, MakesUrlsAndHostsHarmlessAndRefangUndoesIt) {
  EXPECT_EQ(DefangUrl("http://evil.example/a.html"), "hxxp[://]evil[.]example/a[.]html");
  EXPECT_EQ(DefangUrl("HTTPS://evil.example"), "HXXPS[://]evil[.]example");
  EXPECT_EQ(DefangUrl("httpbin.example"), "httpbin[.]example");  // no scheme: dots only
  EXPECT_EQ(DefangUrl("http://a.b/?next=https://c.d"), "hxxp[://]a[.]b/?next=https[://]c[.]d");
  EXPECT_EQ(DefangHost("192.168.1.1"), "192[.]168[.]1[.]1");
  for (const char* url :
       {"http://evil.example/a.html", "https://1.2.3.4:8080/x?y=z", "ftp://a.b/"}) {
    EXPECT_EQ(Refang(DefangUrl(url)), url);
  }
}

}  // namespace
}  // namespace morvik
