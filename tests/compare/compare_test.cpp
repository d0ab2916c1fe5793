#include "compare/compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "browser/icu_functions.h"
#include "compare/reasons.h"
#include "tests/ipv4/fake_resolver.h"

namespace morvik {
namespace {

struct CompareCase {
  std::string url;
  std::vector<std::string> reasons;  // empty: the same place
};

const CompareCase kCompareCases[] = {
    // Agreement.
    {"http://somename&x=1@3232235777/%61bc", {}},
    {"http://example.com/", {}},
    {"http://user:pw@example.com:8080/x", {}},
    {R"(http:\\3232235777\dir)", {}},
    {"http://127%2e0%2e0%2e1/", {}},  // both decode the escapes to dots
    {"example.com/path", {}},
    // User information and where the authority ends.
    {"http://a@b@c.test/", {"first @ vs last @"}},
    {"http://good.test/x@evil.test", {"@ in path or query"}},
    {"http://good.test?x@evil.test", {"@ in path or query"}},
    {"http://good.test\\@evil.test/", {"backslash"}},
    {"http:/\\evil.test/", {"backslash"}},
    {"http://x.com/p:\\\\evil.com/", {"later :// or :\\\\"}},
    {"http:\\\\x.com/a://evil.com/", {"later :// or :\\\\"}},
    {"http:///evil.test", {"slashes after scheme"}},
    {"http:evil.test/", {"slashes after scheme"}},
    {"evil.test/?next=http://good.test/", {"no scheme"}},
    {"http://ev\til.test/", {"tab or newline"}},
    // Numbers.
    {"http://0x7f.1/", {"hex part", "shorthand address"}},
    {"http://0x7f000001/", {"hex part"}},
    {"http://010.0.0.1/", {"octal part"}},
    {"http://0003232235777/", {"octal part"}},
    {"http://127.1/", {"shorthand address"}},
    {"http://3232235777", {"decimal host"}},
    {"http://3232235777:80/", {"decimal host"}},
    {"http://127.0.0.1./", {"trailing dot"}},
    {"http://127.0.0.1%2e/", {"percent-encoded dot", "trailing dot"}},
    {"http://4294967296/", {"invalid IPv4"}},
    {"http://1.2.3.256/", {"invalid IPv4"}},
    {"http://MAIL.EXAMPLE.CO.TEST/", {"name read as address"}},
    {"http://1.2.3.4x/", {"name read as address"}},
    // Hosts.
    {"http://host_a.example.test/", {"host cut short"}},
    // The window's host field starts at a character it never takes for a
    // host, so it finds none; a browser keeps them all.
    {"%7e%7E%7e", {"no window host"}},
    {"http://+3232235777/", {"no window host"}},
    {"http://!\"$&'()*+,-.;=_`{}~/", {"no window host"}},
    {"wss://!\"$&'()*+,-.;=_`{}~/", {"no window host"}},
    {"http://\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x97.0.0.1/", {"idna"}},
    {"http://%252e/", {"forbidden host character", "nested escape"}},
    {"http://good.test%40evil.test/", {"forbidden host character"}},
    {"http://[::1]/", {"IPv6 literal"}},
    {"http://[::1/", {"invalid IPv6"}},
    {"http://x:99999/", {"port"}},
    {"http://user@/x", {"empty host"}},
    {"mailto:a@b.test", {"not a web scheme"}},
    {"file:///C:/x", {"file URL"}},
};

std::vector<std::string> Strings(const std::vector<const char*>& reasons) {
  return std::vector<std::string>(reasons.begin(), reasons.end());
}

class CompareTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, NamesWhatMadeTheReadingsPart) {
  const CompareCase& test = GetParam();
  const WindowReading window = ReadAsWindow(test.url, nullptr);
  const BrowserReading browser = ReadAsBrowser(test.url);
  const Comparison comparison = CompareReadings(test.url, window, browser, nullptr);
  EXPECT_EQ(comparison.same, test.reasons.empty());
  EXPECT_EQ(Strings(comparison.reasons), test.reasons);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareTest, ::testing::ValuesIn(kCompareCases));

// A look-alike name is a reason of its own, also where both readings agree
// (the window asks for the same ASCII name); without a spoof checker every
// international name says that it was not checked.
TEST(CompareTest, ALookAlikeNameIsAlwaysGivenAsAReason) {
  struct LookAlikeCase {
    std::string url;
    bool same;
    std::vector<std::string> reasons;
  };
  const bool checked = Icu() != nullptr;
  const std::string unchecked = "look-alike not checked";
  const LookAlikeCase cases[] = {
      {"http://xn--bcher-kva.de/",
       true,
       checked ? std::vector<std::string>{} : std::vector{unchecked}},
      {"http://b\xC3\xBC"
       "cher.de/",
       false,
       checked ? std::vector<std::string>{"idna"} : std::vector<std::string>{"idna", unchecked}},
      {"http://xn--pple-43d.com/", true, {checked ? "mixed scripts" : unchecked}},
      {"http://paypal.com@xn--pypal-4ve.com/", true, {checked ? "mixed scripts" : unchecked}},
      {"http://\xD0\xB0\xD1\x80\xD1\x80\xD3\x8F\xD0\xB5.com/",
       false,
       {"idna", checked ? "whole-script look-alike" : unchecked}},
  };
  for (const LookAlikeCase& test : cases) {
    const Comparison comparison = CompareReadings(
        test.url, ReadAsWindow(test.url, nullptr), ReadAsBrowser(test.url), nullptr);
    EXPECT_EQ(comparison.same, test.same) << test.url;
    EXPECT_EQ(Strings(comparison.reasons), test.reasons) << test.url;
  }
}

TEST(CompareTest, WithALookUpTwoNamesForOneAddressAreOnePlace) {
  // The window reads "SERVER1.EXAMPLE.TEST@x" as the host SERVER1.EXAMPLE.TEST...
  const testing::FakeResolver resolver;
  const std::string url = "http://x.test/@server1.example.test/";
  const WindowReading window = ReadAsWindow(url, &resolver);
  const BrowserReading browser = ReadAsBrowser(url);
  EXPECT_EQ(*window.dotted, "10.0.0.5");
  // ...and a browser goes to x.test, which this resolver does not know.
  EXPECT_FALSE(CompareReadings(url, window, browser, &resolver).same);

  const std::string same_name = "http://server1.example.test/";
  EXPECT_TRUE(
      CompareReadings(
          same_name, ReadAsWindow(same_name, &resolver), ReadAsBrowser(same_name), &resolver)
          .same);
}

TEST(CompareTest, EveryReasonGivenIsListed) {
  const auto all = AllReasons();
  for (const CompareCase& test : kCompareCases) {
    for (const std::string& reason : test.reasons) {
      EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const ReasonEntry& known) {
        return reason == known.phrase;
      })) << reason;
    }
  }
}

// Every failure and look-alike rule has its one phrase, and no two reasons
// share a phrase (the reader could not tell them apart).
TEST(ReasonTableTest, NamesEveryFailureAndRuleOnce) {
  for (int failure = 1; failure <= static_cast<int>(BrowserFailure::InvalidIpv6); ++failure) {
    EXPECT_STRNE(BrowserFailureName(static_cast<BrowserFailure>(failure)), "") << failure;
  }
  for (int rule = 1; rule <= static_cast<int>(LookAlike::AsciiName); ++rule) {
    EXPECT_STRNE(LookAlikeName(static_cast<LookAlike>(rule)), "") << rule;
  }
  EXPECT_STREQ(BrowserFailureName(BrowserFailure::None), "");
  EXPECT_STREQ(LookAlikeName(LookAlike::None), "");
  std::set<std::string> phrases;
  for (const ReasonEntry& entry : AllReasons()) {
    EXPECT_TRUE(phrases.insert(entry.phrase).second) << entry.phrase;
    EXPECT_EQ(ReasonPhrase(entry.reason), std::string(entry.phrase));
  }
}

}  // namespace
}  // namespace morvik
