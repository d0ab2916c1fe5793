#include "browser/name_display.h"

#include <gtest/gtest.h>

#include <string>

#include "browser/icu_functions.h"
#include "browser/idna.h"

namespace morvik {
namespace {

struct DisplayCase {
  std::string name;  // as written; converted with DomainToAscii first
  LookAlike rule;
  std::string looks_like = "";
};

// One row per rule, flagged and not: a flagged name is shown in ASCII.
const DisplayCase kDisplayCases[] = {
    // Cyrillic "а" among Latin letters.
    {"\xD0\xB0pple.com", LookAlike::MixedScripts, "apple.com"},
    {"p\xD0\xB0yp\xD0\xB0l.com", LookAlike::MixedScripts, "paypal.com"},
    // All Cyrillic, every letter with a Latin look-alike; also below a
    // plain subdomain.
    {"\xD0\xB0\xD1\x80\xD1\x80\xD3\x8F\xD0\xB5.com", LookAlike::WholeScript, "apple.com"},
    {"www.\xD0\xB0\xD1\x80\xD1\x80\xD3\x8F\xD0\xB5.com", LookAlike::WholeScript, "www.apple.com"},
    // Latin only, but "ı" (dotless i) passes for "i".
    {"\xC4\xB1stanbul.com", LookAlike::AsciiName, "istanbul.com"},
    // Symbols, slash look-alikes and obsolete letters ("ɑ", Latin alpha)
    // are no identifier characters.
    {"\xC9\x91pple.com", LookAlike::OutsideProfile, "apple.com"},
    {"a\xE2\x99\xA5.example", LookAlike::OutsideProfile},
    {"ab\xE2\x88\x95"
     "c.com",
     LookAlike::OutsideProfile},
    // The same mark twice on one letter.
    {"e\xCC\x81\xCC\x81.com", LookAlike::Invisible},
    // Legitimate names: a German umlaut, Japanese with Latin, Greek and
    // Cyrillic words in their own script, Han.
    {"b\xC3\xBC"
     "cher.de",
     LookAlike::None},
    {"\xE3\x82\xBD\xE3\x83\x8B\xE3\x83\xBC"
     "store.jp",
     LookAlike::None},
    {"\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1.gr", LookAlike::None},
    {"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84", LookAlike::None},
    {"\xE6\x97\xA5\xE6\x9C\xAC.jp", LookAlike::None},
    {"fa\xC3\x9F.de", LookAlike::None},
};

class NameDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(NameDisplayTest, ShowsUnicodeOnlyForNamesThatPassThePolicy) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  const DisplayCase& test = GetParam();
  const IdnaResult ascii = DomainToAscii(test.name);
  ASSERT_TRUE(ascii.ok) << ascii.error;
  const IdnaResult unicode = DomainToUnicode(ascii.text);
  ASSERT_TRUE(unicode.ok) << unicode.error;

  const NameDisplay display = DisplayName(ascii.text, unicode.text);
  EXPECT_EQ(static_cast<int>(display.rule), static_cast<int>(test.rule));
  EXPECT_EQ(display.looks_like, test.looks_like);
  EXPECT_EQ(display.display, test.rule == LookAlike::None ? unicode.text : ascii.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NameDisplayTest, ::testing::ValuesIn(kDisplayCases));

TEST(NameDisplayTest, AnAsciiNameNeedsNoChecker) {
  const NameDisplay display = DisplayName("xn--zz.example", "xn--zz.example");
  EXPECT_EQ(display.rule, LookAlike::None);
  EXPECT_EQ(display.display, "xn--zz.example");
}

}  // namespace
}  // namespace morvik
