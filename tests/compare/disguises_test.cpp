// The disguises of a URL: each technique named once, with its evidence, in
// the order of the table; the clean links say nothing.

#include "compare/disguises.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "browser/icu_functions.h"
#include "compare/disguise_names.h"
#include "compare/redirect.h"
#include "compare/url_report.h"

namespace morvik {
namespace {

using Found = std::vector<std::pair<std::string, std::string>>;  // name, detail

struct DisguiseCase {
  std::string url;
  Found disguises;
  std::string leads_to = {};  // "" for none
};

const DisguiseCase kDisguiseCases[] = {
    // Clean: no disguise, whatever the reasons say.
    {"https://www.example.com/account", {}},
    {"http://image.email.netted.net/x", {}},
    {"https://shop.example.com/?mail=a@b.example", {}},
    {"https://accounts.google.com/login?continue=https://mail.google.com/mail", {}},
    {"https://www.example.com/?next=/home&ref=http", {}},
    // A decoy before "@".
    {"http://t-online.com@sendmendi.co.uk/", {{"user part", "t-online.com, a host name"}}},
    {"https://www.correios.com.br-044135467rastreamentos@logstaxasalfandega.co.ua/x",
     {{"user part",
       "www.correios.com.br-044135467rastreamentos, starts with host name "
       "www.correios.com.br"}}},
    {"http://user:pw@example.com/", {{"user part", "user:pw"}}},
    {"http://a@b@c.example/", {{"user part", "a@b"}}},
    // Addresses, and numbers written to hide one.
    {"http://2997024055/", {{"numeric host", "178.162.245.55"}}},
    {"http://0x7f.1/", {{"numeric host", "127.0.0.1"}}},
    {"http://0251.0342.0365.067/", {{"numeric host", "169.226.245.55"}}},
    {"http://127.1/", {{"numeric host", "127.0.0.1"}}},
    {"http://151.115.75.104/login", {{"address host", "151.115.75.104"}}},
    {"http://[2001:db8::1]/", {{"address host", "[2001:db8::1]"}}},
    {"http://127%2e0%2e0%2e1/",
     {{"address host", "127.0.0.1"}, {"escaped host", "127%2e0%2e0%2e1, read as 127.0.0.1"}}},
    {"http://%65vil.example/", {{"escaped host", "%65vil.example, read as evil.example"}}},
    // Labels that spell another site.
    {"http://paypal.com.secure.example/",
     {{"subdomain spells another site", "paypal.com on the site secure.example"}}},
    {"https://login.paypal.co.uk.account-check.com/",
     {{"subdomain spells another site", "paypal.co.uk on the site account-check.com"}}},
    {"https://paypal.secure.example/", {}},
    {"https://co.uk.example.com/", {}},
    {"https://click.email.example.com/", {}},
    {"https://www.de.example.com/", {}},
    {"https://ing.nl.login-check.example/",
     {{"subdomain spells another site", "ing.nl on the site login-check.example"}}},
    // Redirects through another site, plain or escaped, and through several.
    {"https://www.ikea.cn/h5page?url=https://protect-ledger.com/x",
     {{"redirect", "protect-ledger.com"}},
     "protect-ledger.com"},
    {"https://tiktok.com/link/v2?a=1&target=https%3A%2F%2Fbit.ly%2Fabc&b=2",
     {{"redirect", "bit.ly"}},
     "bit.ly"},
    {"https://ttrja9c69g.page.link?link=https://x-y.firebaseapp.com/a",
     {{"redirect", "x-y.firebaseapp.com"}},
     "x-y.firebaseapp.com"},
    {"https://t.example.com/r/https://evil.example/login?x=1",
     {{"redirect", "evil.example"}},
     "evil.example"},
    {"https://a.example.com/?u=https%253A%252F%252Fdouble.example%252F",
     {{"redirect", "double.example"}},
     "double.example"},
    {"https://a.example.com/?u=https%3A%2F%2Fb.example.org%2F%3Fv%3Dhttps%253A%252F%252Fc.example",
     {{"redirect", "b.example.org -> c.example"}},
     "c.example"},
    // A target that runs instead of going anywhere.
    {"javascript:alert(document.cookie)", {{"script link", "javascript: alert(document.cookie)"}}},
    {"JavaScript:void(0)", {{"script link", "javascript: void(0)"}}},
    {"data:text/html;base64,PHNjcmlwdD4=", {{"script link", "data: text/html"}}},
    {"data:,hello", {{"script link", "data: text/plain"}}},
    // Several at once, always in the table's order.
    {"http://paypal.com@0x7f.1/?go=https://evil.example/",
     {{"user part", "paypal.com, a host name"},
      {"numeric host", "127.0.0.1"},
      {"redirect", "evil.example"}},
     "evil.example"},
};

class DisguiseTest : public ::testing::TestWithParam<DisguiseCase> {};

TEST_P(DisguiseTest, NamesEachTechniqueWithItsEvidence) {
  const DisguiseCase& test = GetParam();
  const UrlReport report = AnalyseUrl(test.url, {});
  Found found;
  for (const Disguise& disguise : report.disguises.found) {
    found.emplace_back(disguise.name, disguise.detail);
  }
  EXPECT_EQ(found, test.disguises);
  EXPECT_EQ(report.disguises.leads_to.value_or(""), test.leads_to);
}

INSTANTIATE_TEST_SUITE_P(Cases, DisguiseTest, ::testing::ValuesIn(kDisguiseCases));

TEST(DisguiseTest, ALookAlikeNamesItsRuleAndTheNameItPassesFor) {
  if (Icu() == nullptr) GTEST_SKIP() << "no spoof checker on this system";
  const UrlReport report = AnalyseUrl("http://xn--pypal-4ve.com/", {});
  ASSERT_EQ(report.disguises.found.size(), 1U);
  EXPECT_EQ(report.disguises.found[0].name, kLookAlikeDisguise);
  EXPECT_EQ(report.disguises.found[0].detail, "mixed scripts, passes for paypal.com");
}

TEST(DisguiseTest, LongEvidenceIsCutAtACharacterEnd) {
  std::string utf8_decoy;
  for (int i = 0; i < 150; ++i) utf8_decoy += "\xC3\xA9";  // é
  const UrlReport report = AnalyseUrl("http://" + utf8_decoy + "@x.example/", {});
  ASSERT_EQ(report.disguises.found.size(), 1U);
  const std::string& detail = report.disguises.found[0].detail;
  EXPECT_EQ(detail, utf8_decoy.substr(0, kLongestEvidence) + "\xE2\x80\xA6");
}

TEST(DisguiseTest, DefangedOutputDefangsTheEvidence) {
  UrlAnalysisOptions options;
  options.defang = true;
  const UrlReport report = AnalyseUrl("http://t-online.com@sendmendi.co.uk/", options);
  ASSERT_EQ(report.disguises.found.size(), 1U);
  EXPECT_EQ(report.disguises.found[0].detail, "t-online[.]com, a host name");
}

// A chain that goes on and on is followed only so far.
TEST(DisguiseTest, ARedirectChainIsFollowedToABoundedDepth) {
  std::string url = "https://end.example/";
  for (int hop = 0; hop < 3 * kDeepestRedirect; ++hop) {
    url.insert(0, "https://hop" + std::to_string(hop).append(".example/r/"));
  }
  const UrlReport report = AnalyseUrl(url, {});
  ASSERT_EQ(report.disguises.found.size(), 1U);
  std::size_t arrows = 0;
  for (std::size_t at = 0;
       (at = report.disguises.found[0].detail.find("->", at)) != std::string::npos;
       ++at) {
    ++arrows;
  }
  EXPECT_EQ(arrows + 1, static_cast<std::size_t>(kDeepestRedirect));
}

TEST(DisguiseTableTest, NamesAreUniqueAndEachHasItsHelp) {
  std::set<std::string_view> names;
  for (const DisguiseEntry& entry : AllDisguises()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_FALSE(entry.help.empty()) << entry.name;
  }
  for (const DisguiseCase& test : kDisguiseCases) {
    for (const auto& [name, detail] : test.disguises) EXPECT_TRUE(names.contains(name)) << name;
  }
}

}  // namespace
}  // namespace morvik
