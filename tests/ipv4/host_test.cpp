#include "ipv4/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/text.h"
#include "tests/ipv4/fake_resolver.h"

namespace morvik {
namespace {

using namespace std::string_literals;
using testing::FakeResolver;

struct DottedCase {
  const char* text;
  bool dotted;
};

const DottedCase kDottedCases[] = {
    {"192.168.1.1", true},
    {"  192.168.1.1  ", true},
    {"1.2.3", false},
    {"1.2.3.4.5", false},
    {"", false},
    {"256.1.1.1", false},
    {"1.256.1.1", false},
    {"1.1.256.1", false},
    {"1.1.1.256", false},
    {"99999999999999999999.1.1.1", false},
    {"1.1.1.1E9999", false},
    {"1.1.1.255", true},
    {"-0.0.0.0", true},
    {"1.2.3.-1", false},
    {"...", true},
    {"W.X.Y.Z", true},
    {"1X.2.3.4", true},
    {"1.2.3. 4", true},
    // Parts 1 to 3 are rounded, part 4 is not.
    {"2555E-1.1.1.1", false},  // 255.5 rounds to 256
    {"1.1.1.2555E-1", true},
    {"2545E-1.1.1.1", true},  // 254.5 rounds to 254
    {"-6E-1.1.1.1", false},   // -0.6 rounds to -1
    {"1.1.1.-6E-1", true},
    {"-5E-1.1.1.1", true},  // -0.5 rounds to 0
    {"1.1.1.-1E0", false},
};

class IsDottedAddressTest : public ::testing::TestWithParam<DottedCase> {};

TEST_P(IsDottedAddressTest, AcceptsLooseDottedText) {
  EXPECT_EQ(IsDottedAddress(GetParam().text), GetParam().dotted);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsDottedAddressTest, ::testing::ValuesIn(kDottedCases));

struct HostCase {
  Text text;
  Text result;
  std::vector<Text> asked;  // names the resolver is asked for
};

const HostCase kHostCases[] = {
    {"192.168.1.1", "192.168.1.1", {}},
    {"  192.168.1.1/index.htm", "192.168.1.1", {}},
    {"192.168.1.1 /x", "192.168.1.1", {}},
    {"server1.example.test:8080/start", "10.0.0.5", {"SERVER1.EXAMPLE.TEST"}},
    {"unknown-host.test", "0.0.0.0", {"UNKNOWN-HOST.TEST"}},
    {"host-1.example.test", "0.0.0.0", {"HOST-1.EXAMPLE.TEST"}},
    {"010.001.1.1/x", "010.001.1.1", {}},  // not normalised
    {"10.0.0.300/a", "0.0.0.0", {"10.0.0.300"}},
    {"mail.example.co.test", "MAIL.EXAMPLE.CO.TEST", {}},  // every label reads 0
    {"w.x.y.z", "W.X.Y.Z", {}},
    {"3232235777/", "0.0.0.0", {"3232235777"}},
    {"host_a.example.test", "0.0.0.0", {"HOST"}},
    {"1.2.3.4\xE9x", "1.2.3.4", {}},  // codes above 127 end the host
    {"/start", "0.0.0.0", {""}},
    {"\t192.168.1.1", "0.0.0.0", {""}},  // only blanks are skipped
    {"[192.168.1.1]", "0.0.0.0", {""}},
    {"", "0.0.0.0", {""}},
    {"1.2.3.4\0/x"s, "1.2.3.4\0"s, {}},  // NUL does not end the host
};

class HostToDottedTest : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostToDottedTest, KeepsDottedTextAndLooksUpTheRest) {
  const HostCase& c = GetParam();
  FakeResolver resolver;
  EXPECT_EQ(HostToDotted(c.text, resolver), c.result);
  EXPECT_EQ(resolver.asked(), c.asked);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostToDottedTest, ::testing::ValuesIn(kHostCases));

// Host characters are digits, letters of either case, "." and "-"; every other
// code from 1 to 255 ends the host.
TEST(HostToDotted, EndsTheHostAtEveryOtherCharacter) {
  for (int code = 1; code <= 255; ++code) {
    const char c = static_cast<char>(code);
    const bool host_character = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                (c >= 'a' && c <= 'z') || c == '.' || c == '-';
    SCOPED_TRACE(code);
    FakeResolver resolver;
    HostToDotted("a"s + c + "b", resolver);
    const Text expected = host_character ? UpperCaseText("a"s + c + "b") : "A";
    EXPECT_EQ(resolver.asked(), std::vector<Text>{expected});
  }
}

TEST(HostToDotted, MegabyteOfHostCharactersIsLookedUpWhole) {
  FakeResolver resolver;
  const Text name(1 << 20, 'x');
  EXPECT_EQ(HostToDotted(name + "/path", resolver), "0.0.0.0");
  EXPECT_EQ(resolver.asked(), std::vector<Text>{Text(1 << 20, 'X')});
}

struct CutCase {
  Text text;
  std::size_t start;
  std::size_t length;
};

const CutCase kCutCases[] = {
    {"server1.example.test:8080/start", 0, 20},
    {"  192.168.1.1 /x", 2, 11},
    {"a-b.C-D.e", 0, 9},
    {"host_a", 0, 4},
    {"\tx", 0, 0},  // only blanks are skipped
    {"   ", 3, 0},
    {"", 0, 0},
    {"x\0y/z"s, 0, 3},
    {"ab\x84x", 0, 2},
};

// The piece CutHost gives is the one HostToDotted looks up, upper-cased.
TEST(CutHostTest, GivesThePieceResolveLooksUp) {
  for (const CutCase& test : kCutCases) {
    SCOPED_TRACE(::testing::PrintToString(test.text));
    const HostCut cut = CutHost(test.text);
    EXPECT_EQ(cut.start, test.start);
    EXPECT_EQ(cut.length, test.length);
    FakeResolver resolver;
    HostToDotted(test.text + "/", resolver);
    if (!resolver.asked().empty()) {
      EXPECT_EQ(resolver.asked().front(), UpperCaseText(test.text.substr(cut.start, cut.length)));
    }
  }
}

}  // namespace
}  // namespace morvik
