// The pieces of `scan`: URLs in running text, relative links, refresh
// targets, the host a shown text names, the kind of an input, charsets.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "browser/reading.h"
#include "scan/base_url.h"
#include "scan/charset.h"
#include "scan/html_depth.h"
#include "scan/html_links.h"
#include "scan/input_kind.h"
#include "scan/shown_host.h"
#include "scan/text_links.h"
#include "scan/unfold.h"

namespace morvik {
namespace {

struct TextLinkCase {
  const char* text;
  // Each found link as "line:offset shown -> url".
  std::vector<std::string> links;
};

const TextLinkCase kTextLinkCases[] = {
    {"no links here, not even a.b", {}},
    {"see https://example.com/a.", {"1:4 https://example.com/a -> https://example.com/a"}},
    {"(see http://x.example/a)", {"1:5 http://x.example/a -> http://x.example/a"}},
    {"wiki https://example.com/a_(b) ok",
     {"1:5 https://example.com/a_(b) -> https://example.com/a_(b)"}},
    {"[http://x.example/a)]].", {"1:1 http://x.example/a -> http://x.example/a"}},
    {"one\ntwo hxxp://evil[.]example/p\r\nthree",
     {"2:8 hxxp://evil[.]example/p -> http://evil.example/p"}},
    {"a\n\nb evil(.)example, c", {"3:5 evil(.)example -> evil.example"}},
    {"hXXps[://]bad[dot]example", {"1:0 hXXps[://]bad[dot]example -> https://bad.example"}},
    {"<https://a.example/>\"www.b.example\"",
     {"1:1 https://a.example/ -> https://a.example/", "1:21 www.b.example -> www.b.example"}},
    {"ip 203.0.113[.]7 and 1.2.3.4", {"1:3 203.0.113[.]7 -> 203.0.113.7"}},
    {"login:https://a.example", {"1:6 https://a.example -> https://a.example"}},
    {"just [.] alone", {}},
    // A scheme glued to the word before starts a URL; Markdown and escaped
    // line breaks end one.
    {"see below.https://a.example/x", {"1:10 https://a.example/x -> https://a.example/x"}},
    {"xhttps://a.example", {"1:1 https://a.example -> https://a.example"}},
    {"svn+ssh://host.example/r", {"1:0 svn+ssh://host.example/r -> svn+ssh://host.example/r"}},
    {"[https://a.example](https://a.example)[x](https://b.example)",
     {"1:1 https://a.example -> https://a.example",
      "1:20 https://a.example -> https://a.example",
      "1:42 https://b.example -> https://b.example"}},
    {"DESCRIPTION:Join https://a.example/j?x=1\\nor call",
     {"1:17 https://a.example/j?x=1 -> https://a.example/j?x=1"}},
    {"https://a.example/r/https://b.example/",
     {"1:0 https://a.example/r/https://b.example/ -> https://a.example/r/https://b.example/"}},
};

class TextLinkTest : public ::testing::TestWithParam<TextLinkCase> {};

TEST_P(TextLinkTest, FindsEachUrlWithItsPlace) {
  std::vector<FoundLink> links;
  FindTextLinks(GetParam().text, "1", links);
  std::vector<std::string> found;
  for (const FoundLink& link : links) {
    EXPECT_EQ(link.element, "text");
    EXPECT_EQ(link.part, "1");
    found.push_back(std::to_string(link.line) + ":" + std::to_string(link.offset) + " " +
                    link.shown + " -> " + link.url);
  }
  EXPECT_EQ(found, GetParam().links);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextLinkTest, ::testing::ValuesIn(kTextLinkCases));

struct UnfoldCase {
  const char* folded;
  const char* unfolded;
};

const UnfoldCase kUnfoldCases[] = {
    {"URL:https://a.exam\r\n ple/x", "URL:https://a.example/x"},
    {"URL:https://a.exam\n\tple/x", "URL:https://a.example/x"},
    {"A:1\r\n  two spaces", "A:1 two spaces"},  // only the first space belongs to the fold
    {"A:1\r\nB:2\r\n", "A:1\r\nB:2\r\n"},
    {"ends folded\r\n", "ends folded\r\n"},
    {"\r\n x", "x"},
    {"", ""},
};

class UnfoldTest : public ::testing::TestWithParam<UnfoldCase> {};

TEST_P(UnfoldTest, JoinsEachFoldedLineWithTheOneBefore) {
  EXPECT_EQ(UnfoldContentLines(GetParam().folded), GetParam().unfolded);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnfoldTest, ::testing::ValuesIn(kUnfoldCases));

TEST(UnfoldTest, OnlyCalendarsAndCardsFold) {
  EXPECT_TRUE(FoldsContentLines("text", "calendar"));
  EXPECT_TRUE(FoldsContentLines("TEXT", "VCard"));
  EXPECT_FALSE(FoldsContentLines("text", "plain"));
  EXPECT_FALSE(FoldsContentLines("application", "calendar"));
}

struct ResolveCase {
  const char* base;
  const char* reference;
  const char* resolved;
};

const ResolveCase kResolveCases[] = {
    {"https://a.example/x/y?q#f", "https://b.example/", "https://b.example/"},
    {"https://a.example/x/y?q#f", "//b.example/z", "https://b.example/z"},
    {"https://a.example:8443/x/y?q#f", "/z", "https://a.example:8443/z"},
    {"https://a.example/x/y?q#f", "z", "https://a.example/x/z"},
    {"https://a.example/x/y?q#f", "?r", "https://a.example/x/y?r"},
    {"https://a.example/x/y?q#f", "#g", "https://a.example/x/y?q#g"},
    {"https://a.example", "z", "https://a.example/z"},
    {"https://a.example?q", "z", "https://a.example/z"},
    {"", "z/y", "z/y"},
    {"not a base", "/z", "/z"},
    {"https://a.example/", "JavaScript:x", "JavaScript:x"},
};

class ResolveTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveTest, MakesRelativeLinksAbsolute) {
  EXPECT_EQ(ResolveReference(GetParam().base, GetParam().reference), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResolveTest, ::testing::ValuesIn(kResolveCases));

TEST(RefreshUrlTest, TakesTheUrlPartInItsForms) {
  const std::pair<const char*, const char*> cases[] = {
      {"5; url=https://a.example/", "https://a.example/"},
      {"0;URL='https://a.example/x;y'", "https://a.example/x;y"},
      {" 3 , Url = \"https://a.example/\" ", "https://a.example/"},
      {"url=https://a.example/a;b", "https://a.example/a;b"},
      {"10", ""},
  };
  for (const auto& [content, url] : cases) EXPECT_EQ(RefreshUrl(content), url) << content;
}

struct NestingCase {
  std::string html;
  int bound;
};

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

const NestingCase kNestingCases[] = {
    {"plain text", 0},
    {"<div><div><br><img src=x></div></div>", 2},
    {"<DIV><Div>< div>a<3</div>", 2},
    {"<p>a<p>b<ul><li>c<li>d</ul>", 1},  // p and li close their like
    {"<!-- <div><div> --><script>'<div>'</script>", 1},
    {"<title><b><b></title><b>", 1},
    {"<svg><path/><path/><g><path/></g></svg>", 2},
    // Tags that would hide depth from a careless count, each nesting as
    // deep as it repeats.
    {Repeat("<div/>", 50), 50},              // "/>" opens an HTML element
    {Repeat("<div></x>", 50), 50},           // a stray end tag closes nothing
    {Repeat("<span><div></span>", 25), 50},  // nor does a misnested one
    {"<svg>" + Repeat("<div/>", 50), 50},    // a div leaves the svg
    {Repeat("<b>", 5000), 4097},             // counting stops past the limit
};

void PrintTo(const NestingCase& c, std::ostream* out) { *out << c.html.substr(0, 40); }

class NestingBoundTest : public ::testing::TestWithParam<NestingCase> {};

TEST_P(NestingBoundTest, CountsNoLessThanTheParserNests) {
  EXPECT_EQ(NestingBound(GetParam().html), GetParam().bound) << GetParam().html.substr(0, 60);
}

INSTANTIATE_TEST_SUITE_P(Cases, NestingBoundTest, ::testing::ValuesIn(kNestingCases));

TEST(HtmlLinksTest, RefusesAPageNestedTooDeep) {
  std::string deep = Repeat("<div>", kDeepestHtmlNesting);  // and the <a>: one too deep
  deep += "<a href=\"https://deep.example/\">x</a>";
  std::vector<FoundLink> links;
  EXPECT_FALSE(FindHtmlLinks(deep, "1", links));
  EXPECT_TRUE(links.empty());
  EXPECT_TRUE(FindHtmlLinks(deep.substr(5), "1", links));
  ASSERT_EQ(links.size(), 1U);
  EXPECT_EQ(links[0].url, "https://deep.example/");
}

struct ShownCase {
  const char* shown;
  std::optional<std::string> host;
};

const ShownCase kShownCases[] = {
    {"https://MyBank.example/login", "mybank.example"},
    {"  www.mybank.example/login ", "www.mybank.example"},
    {"<mybank.example>", "mybank.example"},
    {"hxxps://evil[.]example", "evil.example"},
    {"203.0.113.7", "203.0.113.7"},
    {"Click here", std::nullopt},
    {"version 1.2", std::nullopt},
    {"1.2.3", std::nullopt},
    {"help@mybank.example", std::nullopt},
    {"mailto:help@mybank.example", std::nullopt},
    {"readme.1", std::nullopt},
    {"", std::nullopt},
};

class ShownHostTest : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownHostTest, NamesAHostOnlyForUrlsAndHostNames) {
  EXPECT_EQ(ShownHost(GetParam().shown), GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShownHostTest, ::testing::ValuesIn(kShownCases));

struct ShownSiteCase {
  const char* shown_host;
  const char* link;
  bool another_host;
  bool another_site;
};

const ShownSiteCase kShownSiteCases[] = {
    {"express.com", "https://rt1-t.notification.express.com/x", true, false},
    {"www.example.co.uk", "https://shop.example.co.uk/", true, false},
    {"www.mybank.example", "https://mybank.example/", false, false},
    {"mybank.example", "http://mybank-example.verify-id.example/", true, true},
    {"paypal.com", "https://xn--pypal-4ve.com/", true, true},
    {"example.co.uk", "https://other.co.uk/", true, true},
    {"203.0.113.7", "http://203.0.113.8/", true, true},
    {"mybank.example", "mailto:help@mybank.example", false, false},
};

class ShownSiteTest : public ::testing::TestWithParam<ShownSiteCase> {};

// Another host is any other name; another site is another registrable
// domain, so that a site's own mail host is never taken for a decoy.
TEST_P(ShownSiteTest, TellsAnotherHostFromAnotherSite) {
  const BrowserReading link = ReadAsBrowser(GetParam().link);
  EXPECT_EQ(NamesAnotherHost(GetParam().shown_host, link), GetParam().another_host);
  EXPECT_EQ(NamesAnotherSite(GetParam().shown_host, link), GetParam().another_site);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShownSiteTest, ::testing::ValuesIn(kShownSiteCases));

TEST(ShownTextTest, TellsWhenTheShownHostIsNotTheOneABrowserGoesTo) {
  struct Case {
    const char* shown;
    const char* url;
    bool another;
  };
  const Case cases[] = {
      {"https://mybank.example/login", "http://mybank.example.evil.example/", true},
      {"https://mybank.example/login", "https://MYBANK.example/other", false},
      {"mybank.example", "https://www.mybank.example/", false},
      {"Log in", "http://evil.example/", false},
      {"http://127.0.0.1/", "http://0x7f.1/", false},
      {"https://mybank.example/", "http://[::1/", false},  // no browser host to compare
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShownTextNamesAnotherHost(c.shown, ReadAsBrowser(c.url)), c.another)
        << c.shown << " / " << c.url;
  }
}

TEST(InputKindTest, TellsInputsApartByTheirStart) {
  const std::pair<std::string, InputKind> cases[] = {
      {"Received: from x\r\nFrom: a@b\r\n\r\nbody", InputKind::Mail},
      {"MIME-Version: 1.0\n", InputKind::Mail},
      {"X-Mailer: y\n", InputKind::Mail},
      {"Thread-Topic: x\r\nSubject: y\r\n  folded\r\n\r\nbody", InputKind::Mail},
      {"Thread-Topic: x\r\n\r\nbody", InputKind::Text},  // no field every message has
      {"Subject: a\nnot a header\n", InputKind::Text},
      {"Subject: cut off in the midd", InputKind::Mail},
      {"From a@b Mon Dec  7 09:14:00 2026\nFrom: a@b\n", InputKind::Mailbox},
      {"\xEF\xBB\xBF  <!DOCTYPE html><html>", InputKind::Html},
      {"<div><a href=x>y</a></div>", InputKind::Html},
      {"Note: http://x.example/", InputKind::Text},
      {"<not html at all>", InputKind::Text},
      {"hxxp://evil[.]example\n", InputKind::Text},
      {std::string("PK\x03\x04\0\0", 6), InputKind::Binary},
      {"\x01\x02\x03\x04 abc", InputKind::Binary},
      {"", InputKind::Text},
  };
  for (const auto& [head, kind] : cases) EXPECT_EQ(DetectInputKind(head), kind) << head;
}

struct CharsetCase {
  std::string bytes;
  const char* label;
  const char* text;
  bool noted;
};

const CharsetCase kCharsetCases[] = {
    {"caf\xC3\xA9", "utf-8", "caf\xC3\xA9", false},
    {"caf\xE9", "ISO-8859-1", "caf\xC3\xA9", false},
    {"caf\xE9", "", "caf\xC3\xA9", false},      // unlabelled 8-bit text
    {"caf\xE9", "utf-8", "caf\xC3\xA9", true},  // wrong label
    {"caf\xC3\xA9", "x-no-such-charset", "caf\xC3\xA9", true},
    {"caf\xE9", "x-no-such-charset", "caf\xC3\xA9", true},
    {"\x82\xA0", "shift_jis", "\xE3\x81\x82", false},
    {"\xFF\xFE", "us-ascii", "\xC3\xBF\xC3\xBE", true},
};

class CharsetTest : public ::testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetTest, ReadsByTheLabelOrSaysHowItReadInstead) {
  const Utf8Text text = ToUtf8(GetParam().bytes, GetParam().label);
  EXPECT_EQ(text.text, GetParam().text);
  EXPECT_EQ(!text.note.empty(), GetParam().noted) << text.note;
}

INSTANTIATE_TEST_SUITE_P(Cases, CharsetTest, ::testing::ValuesIn(kCharsetCases));

}  // namespace
}  // namespace morvik
