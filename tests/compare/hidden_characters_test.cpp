#include "compare/hidden_characters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "browser/reading.h"
#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"

namespace morvik {
namespace {

struct HiddenCase {
  const char* name;
  std::string url;
  std::optional<std::string> shown;
  std::vector<std::string> expected;  // "name: detail", in order
};

const std::string kRlo = "\u202E";
const std::string kZwsp = "\u200B";

const HiddenCase kHiddenCases[] = {
    // The two links of a phishing message.
    {"an override in the path and at the end of the shown text",
     "https://evil.example/" + kRlo + "fdp.exe",
     "https://bank.example/invoice" + kRlo,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the path; shows as \"/exe.pdf\"",
      "direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the shown text; shows as "
      "\"https://bank.example/invoice\""}},
    // A browser drops the tab, and the bytes around it become one character.
    {"a zero-width space made of bytes a tab kept apart",
     "https://ex\xE2\t\x80\x8B"
     "ample.com/",
     std::nullopt,
     {"invisible character: U+200B ZERO WIDTH SPACE in the host; reads \"example.com\" without "
      "it"}},
    {"a zero-width space in the host",
     "https://ex" + kZwsp + "ample.com/",
     std::nullopt,
     {"invisible character: U+200B ZERO WIDTH SPACE in the host; reads \"example.com\" without "
      "it"}},
    // Direction controls in each place; what follows is reordered too.
    {"an override in the host",
     "https://" + kRlo + "moc.elgoog/x",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the host; shows as \"x/google.com\""}},
    {"an override in the query",
     "https://a.example/?f=" + kRlo + "fdp.exe",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the query; shows as \"f=exe.pdf\""}},
    {"a mark in the fragment",
     "https://a.example/#x\u200F",
     std::nullopt,
     {"direction control: U+200F RIGHT-TO-LEFT MARK in the fragment; shows as \"x\""}},
    {"an isolate in the user part",
     "https://bank.example\u2067@evil.example/",
     std::nullopt,
     {"direction control: U+2067 RIGHT-TO-LEFT ISOLATE in the user part; shows as "
      "\"bank.example/evil.example@\""}},
    {"an override closed in the path",
     "https://a.example/" + kRlo + "cba\u202C/d?q",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE, U+202C POP DIRECTIONAL FORMATTING in "
      "the path; shows as \"/abc/d?q\""}},
    {"the Arabic letter mark",
     "https://a.example/\u061Cx",
     std::nullopt,
     {"direction control: U+061C ARABIC LETTER MARK in the path; shows as \"/x\""}},
    {"in two places, one entry each",
     "https://" + kRlo + "a.example/" + kRlo + "b",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the host; shows as \"b/elpmaxe.a\"",
      "direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the path; shows as \"/b\""}},
    {"after a tab a browser removes",
     "https://a.example/\t" + kRlo + "cba",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the path; shows as \"/abc\""}},
    // Invisible characters in the host and the shown text.
    {"a soft hyphen in the host",
     "https://pay\u00ADpal.com/",
     std::nullopt,
     {"invisible character: U+00AD SOFT HYPHEN in the host; reads \"paypal.com\" without it"}},
    {"two kinds in the host",
     "http://a\uFEFFb\u2060c\uFEFF.example/",
     std::nullopt,
     {"invisible character: U+FEFF ZERO WIDTH NO-BREAK SPACE, U+2060 WORD JOINER in the host; "
      "reads \"abc.example\" without them"}},
    {"a tag character in the host",
     "https://example.com\U000E0041/",
     std::nullopt,
     {"invisible character: U+E0041 TAG LATIN CAPITAL LETTER A in the host; reads "
      "\"example.com\" without it"}},
    {"a joiner between Latin letters in the host",
     "https://ex\u200Dample.com/",
     std::nullopt,
     {"invisible character: U+200D ZERO WIDTH JOINER in the host; reads \"example.com\" without "
      "it"}},
    {"a joiner after a virama belongs",
     "https://\u0915\u094D\u200D\u0937.example/",
     std::nullopt,
     {}},
    {"in the shown text",
     "https://evil.example/",
     "mybank" + kZwsp + ".example",
     {"invisible character: U+200B ZERO WIDTH SPACE in the shown text; reads \"mybank.example\" "
      "without it"}},
    {"a Mongolian vowel separator in the shown text",
     "https://evil.example/",
     "Pay\u180Enow",
     {"invisible character: U+180E MONGOLIAN VOWEL SEPARATOR in the shown text; reads "
      "\"Paynow\" without it"}},
    {"an emoji sequence in the shown text is no disguise",
     "https://a.example/",
     "Family \U0001F468\u200D\U0001F469\u200D\U0001F467 \u2764\uFE0F",
     {}},
    {"a flag in the shown text is no disguise",
     "https://a.example/",
     "\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F",
     {}},
    {"a direction control in the shown text from its first letter",
     "https://a.example/",
     "\u05D0" + kRlo + "ab",
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the shown "
      "text; shows as \"ba\u05D0\""}},
    // A detail quotes only what is drawn.
    {"both kinds in the host",
     "https://a\u200Bb\u202Ec.example/",
     std::nullopt,
     {"direction control: U+202E RIGHT-TO-LEFT OVERRIDE in the host; shows as "
      "\"ab/elpmaxe.c\"",
      "invisible character: U+200B ZERO WIDTH SPACE in the host; reads \"abc.example\" without "
      "it"}},
    // Where nothing is said.
    {"plain ASCII", "https://bank.example/login?x=1#y", "Log in", {}},
    {"an invisible character in the path is shown escaped by a browser",
     "https://a.example/pa" + kZwsp + "th",
     std::nullopt,
     {}},
    {"a shown text that is the URL is looked at once",
     "https://ex" + kZwsp + "ample.com/",
     "https://ex" + kZwsp + "ample.com/",
     {"invisible character: U+200B ZERO WIDTH SPACE in the host; reads \"example.com\" without "
      "it"}},
    {"international names are no disguise",
     "https://b\u00FCcher.example/\u05D0",
     "B\u00FCcher",
     {}},
    {"bytes that are not UTF-8 are drawn as U+FFFD",
     "https://a\xFF" + kZwsp + "b.example/\xFE",
     std::nullopt,
     {"invisible character: U+200B ZERO WIDTH SPACE in the host; reads \"a\uFFFD"
      "b.example\" without it"}},
    // Taking a character out never joins the bytes around it into another.
    {"no character is made of broken bytes",
     "https://a\xE2\x80\x01\x8D" + kZwsp + "b/",
     std::nullopt,
     {"invisible character: U+200B ZERO WIDTH SPACE in the host; reads "
      "\"a\uFFFD\uFFFD\uFFFDb\" without it"}},
};

// "name: detail" for each disguise, as the URL's detectors and scan's
// shown text add them.
std::vector<std::string> Named(const std::string& url, const std::optional<std::string>& shown,
                               LinkDisguises found = {}) {
  const BrowserReading browser = ReadAsBrowser(url);
  FindHiddenCharacters({.url = url, .browser = browser}, found);
  if (shown) FindHiddenCharactersInShownText(*shown, url, found.found);
  std::vector<std::string> named;
  for (const Disguise& disguise : found.found) {
    named.push_back(std::string(disguise.name) + ": " + disguise.detail);
  }
  return named;
}

class HiddenCharactersTest : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(HiddenCharactersTest, NamesEachDisguiseWhereItStands) {
  const HiddenCase& test = GetParam();
  EXPECT_EQ(Named(test.url, test.shown), test.expected) << test.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, HiddenCharactersTest, ::testing::ValuesIn(kHiddenCases));

// Details stay short whatever the text: a long one is cut, many characters
// are counted.
TEST(HiddenCharactersTest, KeepsDetailsShort) {
  const std::string shown = std::string(500, 'a') + kZwsp + "\u2060\u2061\u2062\u2063";
  const std::vector<std::string> named = Named("https://a.example/", shown);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_NE(named[0].find("U+2061 FUNCTION APPLICATION and 2 more in the shown text"),
            std::string::npos)
      << named[0];
  EXPECT_NE(named[0].find("aaa\u2026\" without them"), std::string::npos);
  EXPECT_LT(named[0].size() - kInvisibleCharacterDisguise.size(), 300u);
}

// The two take their places among the other disguises of the link.
TEST(HiddenCharactersTest, TakeTheirPlaceAmongTheOthers) {
  LinkDisguises found;
  found.found = {{kUserPartDisguise, "bank.example"}, {kScriptLinkDisguise, "javascript: x"}};
  const std::vector<std::string> named =
      Named("https://bank.example@ex" + kZwsp + "ample.com/" + kRlo + "x", std::nullopt, found);
  ASSERT_EQ(named.size(), 4u);
  EXPECT_EQ(named[0], "user part: bank.example");
  EXPECT_EQ(named[1].substr(0, named[1].find(':')), kDirectionControlDisguise);
  EXPECT_EQ(named[2].substr(0, named[2].find(':')), kInvisibleCharacterDisguise);
  EXPECT_EQ(named[3], "script link: javascript: x");
}

}  // namespace
}  // namespace morvik
