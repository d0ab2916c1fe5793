#include "browser/idna.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "browser/icu_functions.h"

namespace morvik {
namespace {

struct IdnaCase {
  std::string name;
  std::string ascii;    // "" when a browser refuses the name
  std::string unicode;  // the name shown back in Unicode; "" when refused
};

const std::string kLongLabel(64, 'a');

// One row per kind of name where browsers' UTS 46 processing differs from
// stricter IDNA, or where it is easy to get wrong.
const IdnaCase kIdnaCases[] = {
    // Symbols UTS 46 allows (IDNA2008 would not).
    {"a\xE2\x99\xA5.example", "xn--a-n3p.example", "a\xE2\x99\xA5.example"},
    {"\xE2\x98\x95.example", "xn--53h.example", "\xE2\x98\x95.example"},
    // Deviation characters are kept (non-transitional), not mapped away.
    {"fa\xC3\x9F.de", "xn--fa-hia.de", "fa\xC3\x9F.de"},
    {"\xCF\x82.gr", "xn--3xa.gr", "\xCF\x82.gr"},
    // ZWJ after a virama is allowed; between two Latin letters it is not.
    {"\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D\xE0\xA4\xB7.in",
     "xn--11b2ezcw70k.in",
     "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D\xE0\xA4\xB7.in"},
    {"a\xE2\x80\x8D"
     "b.example",
     "",
     ""},
    {"a\xE2\x80\x8C"
     "b.example",
     "",
     ""},
    // Capital sharp s maps to "ß" (current Unicode), so to xn--fa-hia.
    {"FA\xE1\xBA\x9E.de", "xn--fa-hia.de", "fa\xC3\x9F.de"},
    // Fullwidth and ideographic full stops separate labels.
    {"\xEF\xBD\x81\xEF\xBD\x82\xEF\xBD\x83\xEF\xBC\x8E"
     "com",
     "abc.com",
     "abc.com"},
    {"b\xC3\xBC"
     "cher\xE3\x80\x82"
     "de",
     "xn--bcher-kva.de",
     "b\xC3\xBC"
     "cher.de"},
    {"b\xC3\xBC"
     "cher\xEF\xBD\xA1"
     "de",
     "xn--bcher-kva.de",
     "b\xC3\xBC"
     "cher.de"},
    // Bidi: an Arabic label is fine; one that starts with a Latin letter and
    // ends in Arabic, or starts with Arabic-Indic digits, is not.
    {"\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A.com",
     "xn--ngbrx4e.com",
     "\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A.com"},
    {"a1-\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A.com", "", ""},
    {"\xD9\xA1\xD9\xA2\xD9\xA3.com", "", ""},
    // An "xn--" label written in ASCII that does not decode is kept as it
    // stands, alone or beside labels that are converted.
    {"xn--.com", "xn--.com", "xn--.com"},
    {"XN--ZZ.example", "xn--zz.example", "xn--zz.example"},
    {"xn--zz.b\xC3\xBC"
     "cher.de",
     "xn--zz.xn--bcher-kva.de",
     "xn--zz.b\xC3\xBC"
     "cher.de"},
    // ...but one that is not ASCII as written is refused.
    {"xn--\xC3\xBC.de", "", ""},
    // No DNS length limits, no hyphen rules.
    {kLongLabel + ".b\xC3\xBC"
                  "cher.de",
     kLongLabel + ".xn--bcher-kva.de",
     kLongLabel + ".b\xC3\xBC"
                  "cher.de"},
    {"-b\xC3\xBC"
     "cher-.de",
     "xn---bcher--o2a.de",
     "-b\xC3\xBC"
     "cher-.de"},
    {"a..b\xC3\xBC"
     "cher.de",
     "a..xn--bcher-kva.de",
     "a..b\xC3\xBC"
     "cher.de"},
    // Refused: a disallowed character, a leading combining mark.
    {"a\xEF\xBF\xBD"
     "b.com",
     "",
     ""},
    {"\xCC\x81"
     "a.com",
     "",
     ""},
};

class IdnaTest : public ::testing::TestWithParam<IdnaCase> {};

TEST_P(IdnaTest, ReadsNamesAsBrowsersDo) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  const IdnaCase& test = GetParam();
  const IdnaResult ascii = DomainToAscii(test.name);
  if (test.ascii.empty()) {
    EXPECT_FALSE(ascii.ok) << ascii.text;
    EXPECT_FALSE(ascii.error.empty());
    return;
  }
  ASSERT_TRUE(ascii.ok) << ascii.error;
  EXPECT_EQ(ascii.text, test.ascii);
  const IdnaResult unicode = DomainToUnicode(ascii.text);
  ASSERT_TRUE(unicode.ok) << unicode.error;
  EXPECT_EQ(unicode.text, test.unicode);
}

INSTANTIATE_TEST_SUITE_P(Cases, IdnaTest, ::testing::ValuesIn(kIdnaCases));

TEST(IdnaTest, NamesTheRuleARefusedNameBroke) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  EXPECT_EQ(DomainToAscii("a\xE2\x80\x8D"
                          "b.example")
                .error,
            "joiner rule");
  EXPECT_EQ(DomainToAscii("a1-\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A.com").error, "bidi rule");
  EXPECT_EQ(DomainToAscii("xn--\xC3\xBC.de").error, "broken punycode");
}

TEST(SplitLabelsTest, SplitsAtEveryFullStopUts46MapsToADot) {
  struct Case {
    std::string name;
    std::vector<std::string_view> labels;
  };
  const Case cases[] = {
      {"a.b", {"a", "b"}},
      {"a\xE3\x80\x82"
       "b\xEF\xBC\x8E"
       "c\xEF\xBD\xA1"
       "d",
       {"a", "b", "c", "d"}},
      {"a.", {"a", ""}},  // a trailing dot ends an empty label
      {"", {""}},
      {"a\xE3\x80.b", {"a\xE3\x80", "b"}},  // a cut-off full stop is no stop
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(SplitLabels(test.name), test.labels);
  }
}

}  // namespace
}  // namespace morvik
