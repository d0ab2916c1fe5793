// Where a URL holds another: only an absolute URL that starts a value, as
// written or escaped, and only so much of it as belongs to that value.

#include "compare/redirect.h"

#include <gtest/gtest.h>

#include <string>

namespace morvik {
namespace {

struct InnerUrlCase {
  std::string url;
  std::string inner;  // "" for none
};

const InnerUrlCase kInnerUrlCases[] = {
    {"https://a.example/?u=https://b.example/x&y=1", "https://b.example/x"},
    {"https://a.example/?u=HTTP://b.example/", "HTTP://b.example/"},
    {"https://a.example/?u=https%3A%2F%2Fb.example%2Fx&y=1", "https://b.example/x"},
    {"https://a.example/?u=https%3a%2f%2fb.example#top", "https://b.example"},
    {"https://a.example/?https://b.example/", "https://b.example/"},
    {"https://a.example/r/https://b.example/p?q=1", "https://b.example/p?q=1"},
    {"https://a.example/r/https%3A%2F%2Fb.example%2F/more", "https://b.example/"},
    {"https://a.example/#/go?to=https://b.example/", "https://b.example/"},
    {"a.example/out?u=http://b.example/", "http://b.example/"},
    // Escaped more than once: the colon's "3A" follows "%25", not "%".
    {"https://a.example/?u=https%253A%252F%252Fb.example", "https://b.example"},
    {"https://a.example/?u=http%25253a%25252F%25252Fb.example", "http://b.example"},
    // Not a value of its own, not absolute, or no URL at all.
    {"https://a.example/?u=xhttps://b.example/", ""},
    {"https://a.example/?u=//b.example/", ""},
    {"https://a.example/?u=b.example", ""},
    {"https://a.example/?u=http", ""},
    {"https://a.example/?u=https%3A%2Fb.example", ""},
    {"https://a.example/?u=https:%2F%2Fb.example", ""},
    {"https://a.example/?u=ftp://b.example/&v=x%3Ay", ""},
    {"https://a.example/?u=http25%3A%2F%2Fb.example", ""},
    {"https://a.example/https", ""},
    {"https://https://b.example/", ""},
    {"http://a.example", ""},
    {"", ""},
};

class InnerUrlTest : public ::testing::TestWithParam<InnerUrlCase> {};

TEST_P(InnerUrlTest, FindsTheUrlThatStartsAValue) {
  EXPECT_EQ(InnerUrl(GetParam().url).value_or(""), GetParam().inner);
}

INSTANTIATE_TEST_SUITE_P(Cases, InnerUrlTest, ::testing::ValuesIn(kInnerUrlCases));

TEST(RedirectHostsTest, FollowsEachInnerUrlToItsHost) {
  EXPECT_EQ(
      RedirectHosts(
          "https://a.example/?u=https%3A%2F%2Fb.example%2F%3Fv%3Dhttps%253A%252F%252Fc.example"),
      (std::vector<Text>{"b.example", "c.example"}));
  // An inner URL with no host ends the chain where it stands.
  EXPECT_EQ(RedirectHosts("https://a.example/?u=https://b.example/?v=http://:80/"),
            (std::vector<Text>{"b.example"}));
  EXPECT_TRUE(RedirectHosts("https://a.example/?u=http://user@/").empty());
}

}  // namespace
}  // namespace morvik
