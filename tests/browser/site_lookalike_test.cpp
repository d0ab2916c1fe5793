#include "browser/site_lookalike.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "browser/icu_functions.h"
#include "browser/idna.h"
#include "browser/skeleton.h"

namespace morvik {
namespace {

ProtectedSites SitesOf(std::string_view list) { return ProtectedSites(ReadSiteList(list).sites); }

const ProtectedSites& Brands() {
  static const ProtectedSites sites = SitesOf(
      "paypal.com\nmicrosoft.com\nebay.com\nmybank.co.uk\nbbc.co.uk\n"
      "# Unicode and xn-- forms are one site\nbücher.de\nxn--bcher-kva.de\n");
  return sites;
}

// "rule site", or "" when the name passes for nothing.
std::string Rule(const SiteLookAlike& found) {
  if (found.site == nullptr) return "";
  return std::to_string(static_cast<int>(found.rule)) + " " + found.site->domain;
}

struct AsciiCase {
  std::string host;
  LookAlike rule;
  std::string site = "";
};

// The analyst's names and the built-in ones, each rule flagged and not.
const AsciiCase kAsciiCases[] = {
    // The same skeleton by ASCII confusables.
    {"paypa1.com", LookAlike::AsciiConfusable, "paypal.com"},
    {"www.paypa1.com", LookAlike::AsciiConfusable, "paypal.com"},
    {"paypa1.com.", LookAlike::AsciiConfusable, "paypal.com"},
    {"rnicrosoft.com", LookAlike::AsciiConfusable, "microsoft.com"},
    {"g00gle.com", LookAlike::AsciiConfusable, "google.com"},  // built in
    {"rnybank.co.uk", LookAlike::AsciiConfusable, "mybank.co.uk"},
    // One edit from a name of five letters or more.
    {"paypall.com", LookAlike::OneEdit, "paypal.com"},
    {"pyapal.com", LookAlike::OneEdit, "paypal.com"},
    {"paypl.com", LookAlike::OneEdit, "paypal.com"},
    {"paypak.net", LookAlike::OneEdit, "paypal.com"},
    {"login.paypak.net", LookAlike::OneEdit, "paypal.com"},
    {"mybamk.co.uk", LookAlike::OneEdit, "mybank.co.uk"},
    {"ebya.com", LookAlike::None},  // "ebay" is too short to tell
    {"paypa.com", LookAlike::OneEdit, "paypal.com"},
    {"payp.com", LookAlike::None},    // two edits
    {"pyaapl.com", LookAlike::None},  // two swaps
    // A name with a hyphenated word added.
    {"paypal-secure.com", LookAlike::AddedWord, "paypal.com"},
    {"secure-paypal.net", LookAlike::AddedWord, "paypal.com"},
    {"my-paypal-login.com", LookAlike::AddedWord, "paypal.com"},
    {"apple-support.com", LookAlike::AddedWord, "apple.com"},
    {"a-b-c-paypal.com", LookAlike::AddedWord, "paypal.com"},
    {"my--paypal.com", LookAlike::AddedWord, "paypal.com"},
    {"secure-pay-pal.com", LookAlike::None},  // a word cut in two is no site's label
    // ...of five letters or more: "bbc-news" is no disguise of news.com.au.
    {"bbc-news.com", LookAlike::None},
    {"ebay-login.com", LookAlike::None},
    {"paypalsecure.com", LookAlike::None},
    // The sites themselves and their subdomains pass for nothing.
    {"paypal.com", LookAlike::None},
    {"www.paypal.com", LookAlike::None},
    {"paypal.com.", LookAlike::None},
    {"paypa1.paypal.com", LookAlike::None},
    {"news.bbc.co.uk", LookAlike::None},
    {"google.com", LookAlike::None},
    {"maps.google.com", LookAlike::None},
    // Other names, and no name at all.
    {"example.com", LookAlike::None},
    {"paypal.example.net", LookAlike::None},
    {"localhost", LookAlike::None},
    {"com", LookAlike::None},
};

class AsciiSiteLookAlikeTest : public ::testing::TestWithParam<AsciiCase> {};

TEST_P(AsciiSiteLookAlikeTest, NamesTheRuleAndTheSite) {
  const AsciiCase& test = GetParam();
  // The brands come after the popular sites, as --brands adds them.
  static const ProtectedSites sites = [] {
    std::vector<ListedSite> all = PopularSiteList();
    const std::vector<ListedSite> brands =
        ReadSiteList("paypal.com\nmicrosoft.com\nebay.com\nmybank.co.uk\n").sites;
    all.insert(all.end(), brands.begin(), brands.end());
    return ProtectedSites(all);
  }();
  const SiteLookAlike found = AsciiSiteLookAlike(test.host, sites);
  const std::string expected = test.rule == LookAlike::None
                                   ? ""
                                   : std::to_string(static_cast<int>(test.rule)) + " " + test.site;
  EXPECT_EQ(Rule(found), expected) << test.host;
}

INSTANTIATE_TEST_SUITE_P(Cases, AsciiSiteLookAlikeTest, ::testing::ValuesIn(kAsciiCases));

struct IdnCase {
  std::string name;
  LookAlike rule;
  std::string looks_like = "";
};

// Internationalised names with the skeleton of a site: the whole name is
// shown in ASCII, whatever its labels.
const IdnCase kIdnCases[] = {
    {"googlé.com", LookAlike::SiteSkeleton, "google.com"},
    {"www.googlé.com", LookAlike::SiteSkeleton, "google.com"},
    {"faceboök.com", LookAlike::SiteSkeleton, "facebook.com"},
    {"ɡoogle.com", LookAlike::OutsideProfile, "google.com"},
    {"pаypal.com", LookAlike::MixedScripts, "paypal.com"},  // the label's rule comes first
    {"аррӏе.com", LookAlike::WholeScript, "apple.com"},
    {"bücher.google.com", LookAlike::None},  // under the site itself
    {"bücher.de", LookAlike::None},          // listed in Unicode
    {"bucher.de", LookAlike::None},
    {"bǜcher.de", LookAlike::OutsideProfile, "xn--bcher-kva.de"},
    {"googlé.example", LookAlike::None},
    {"ıstanbul.com", LookAlike::None},
};

class IdnSiteLookAlikeTest : public ::testing::TestWithParam<IdnCase> {};

TEST_P(IdnSiteLookAlikeTest, ShowsTheNameInAscii) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  const IdnCase& test = GetParam();
  static const ProtectedSites sites = [] {
    std::vector<ListedSite> all = PopularSiteList();
    all.push_back({"xn--bcher-kva.de", "bücher.de"});
    return ProtectedSites(all);
  }();
  const IdnaResult ascii = DomainToAscii(test.name);
  ASSERT_TRUE(ascii.ok) << ascii.error;
  const IdnaResult unicode = DomainToUnicode(ascii.text);
  const NameDisplay display = DisplayName(ascii.text, unicode.text, sites);
  EXPECT_EQ(static_cast<int>(display.rule), static_cast<int>(test.rule)) << test.name;
  EXPECT_EQ(display.looks_like, test.looks_like) << test.name;
  if (test.rule == LookAlike::SiteSkeleton) {
    EXPECT_EQ(display.display, ascii.text);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, IdnSiteLookAlikeTest, ::testing::ValuesIn(kIdnCases));

struct EditCase {
  std::string a;
  std::string b;
  bool one_apart;
};

const EditCase kEditCases[] = {
    {"paypal", "paypall", true},
    {"paypal", "aypal", true},
    {"paypal", "paypel", true},
    {"paypal", "pyapal", true},
    {"paypal", "paypla", true},
    {"paypal", "paypal", false},
    {"paypal", "pyaapl", false},
    {"paypal", "paypalxx", false},
    {"paypal", "xaypaly", false},
    {"", "a", true},
    {"ab", "ba", true},
    {"abc", "cba", false},
};

class OneEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(OneEditTest, CountsOneInsertionDeletionSubstitutionOrSwap) {
  EXPECT_EQ(IsOneEditApart(GetParam().a, GetParam().b), GetParam().one_apart);
  EXPECT_EQ(IsOneEditApart(GetParam().b, GetParam().a), GetParam().one_apart);
}

INSTANTIATE_TEST_SUITE_P(Cases, OneEditTest, ::testing::ValuesIn(kEditCases));

struct OrderCase {
  std::string sites;
  std::string host;
  std::string site;
};

// Where several sites are one edit away, the one reported: looked for
// under the label itself, then under it less its first letter, its
// second, ...; under one of these, the first site listed.
const OrderCase kOrderCases[] = {
    {"abcdef.com\nabcdeg.com\n", "abcde.com", "abcdef.com"},
    {"abcdeg.com\nabcdef.com\n", "abcde.com", "abcdeg.com"},
    {"zbcde.com\nabcde.com\n", "zabcde.com", "abcde.com"},
    {"abcde.com\nzbcde.com\n", "zabcde.com", "abcde.com"},
    {"zabcdx.com\nzabcdef.org\n", "zabcde.com", "zabcdef.org"},  // the label itself first
};

class OneEditOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OneEditOrderTest, ReportsTheFirstSiteFound) {
  const ProtectedSites sites = SitesOf(GetParam().sites);
  const SiteLookAlike found = AsciiSiteLookAlike(GetParam().host, sites);
  EXPECT_EQ(Rule(found),
            std::to_string(static_cast<int>(LookAlike::OneEdit)) + " " + GetParam().site)
      << GetParam().host;
}

INSTANTIATE_TEST_SUITE_P(Cases, OneEditOrderTest, ::testing::ValuesIn(kOrderCases));

TEST(ProtectedSitesTest, ThePopularSitesAreBuiltIn) {
  const std::vector<ListedSite>& list = PopularSiteList();
  EXPECT_GE(list.size(), 400u);
  for (const char* site : {"google.com", "wikipedia.org", "bbc.co.uk", "apple.com"}) {
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [&](const ListedSite& listed) {
      return listed.ascii == site;
    })) << site;
  }
  // Registrable domains only: a subdomain would make its parent a suffix.
  EXPECT_FALSE(std::any_of(list.begin(), list.end(), [](const ListedSite& listed) {
    return listed.ascii.starts_with("maps.") || listed.ascii.starts_with("docs.");
  }));
}

// The table that spares ASCII names any ICU call gives ICU's own answer.
TEST(ProtectedSitesTest, AsciiSkeletonsAreIcusSkeletons) {
  const IcuFunctions* icu = Icu();
  if (icu == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  std::vector<std::string> names{"paypa1.com",
                                 "rnicrosoft.com",
                                 "g00gle.com",
                                 "vvikipedia.org",
                                 "-_.~!$&'()*+,;=0123456789",
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
  for (const ListedSite& site : PopularSiteList()) names.push_back(site.ascii);
  for (const std::string& name : names) {
    EXPECT_EQ(AsciiLookAlikeSkeleton(name), LookAlikeSkeleton(*icu, name)) << name;
  }
}

struct RegistrableCase {
  std::string host;
  std::string domain;  // empty: none
};

const RegistrableCase kRegistrableCases[] = {
    {"www.bbc.co.uk", "bbc.co.uk"},
    {"a.b.mybank.co.uk", "mybank.co.uk"},
    {"www.paypal.com", "paypal.com"},
    {"login.evil.example", "evil.example"},
    {"evil.example", "evil.example"},
    {"example", ""},
    {"shop.bücher.de", "bücher.de"},
};

class RegistrableDomainTest : public ::testing::TestWithParam<RegistrableCase> {};

TEST_P(RegistrableDomainTest, TakesOneLabelBeforeAKnownSuffix) {
  const std::optional<Registrable> found = RegistrableDomain(GetParam().host, Brands());
  EXPECT_EQ(found ? std::string(found->domain) : "", GetParam().domain);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistrableDomainTest, ::testing::ValuesIn(kRegistrableCases));

// A suffix of three labels, whose ends "uk" and "co.uk" are no site's
// suffix, beside "com" and "blogspot.com".
const RegistrableCase kLongSuffixCases[] = {
    {"www.login.mybank.co.uk", "login.mybank.co.uk"},
    {"login.mybank.co.uk", "login.mybank.co.uk"},
    {"mybank.co.uk", "co.uk"},
    {"www.bbc.co.uk", "co.uk"},
    {"a.b.c.d.e.uk", "e.uk"},
    {"x.y.blogspot.com", "y.blogspot.com"},
    {"y.blogspot.com", "y.blogspot.com"},
    {"www.blogspot.com", "www.blogspot.com"},
    {"blogspot.com", "blogspot.com"},
    {"www.example.com", "example.com"},
    {"www.example.org", "example.org"},
    {".com", ""},
    {"a..com", ".com"},
};

class LongSuffixTest : public ::testing::TestWithParam<RegistrableCase> {};

TEST_P(LongSuffixTest, TakesTheLongestSuffixNotItsEnds) {
  static const ProtectedSites sites = SitesOf("login.mybank.co.uk\nexample.com\nx.blogspot.com\n");
  const std::optional<Registrable> found = RegistrableDomain(GetParam().host, sites);
  EXPECT_EQ(found ? std::string(found->domain) : "", GetParam().domain) << GetParam().host;
}

INSTANTIATE_TEST_SUITE_P(Cases, LongSuffixTest, ::testing::ValuesIn(kLongSuffixCases));

struct NamedCase {
  std::string host;
  std::string site;  // empty: none
};

const NamedCase kNamedCases[] = {
    {"paypal.com", "paypal.com"},
    {"www.paypal.com", "paypal.com"},
    {"www.paypal.com.", "paypal.com"},
    {"xn--bcher-kva.de", "xn--bcher-kva.de"},
    {"paypal.com.evil.example", ""},
    {"notpaypal.com", ""},
    {"com", ""},
    {"", ""},
};

class ProtectedSiteNamedByTest : public ::testing::TestWithParam<NamedCase> {};

TEST_P(ProtectedSiteNamedByTest, IsTheSiteOrASubdomain) {
  const ProtectedSite* site = ProtectedSiteNamedBy(GetParam().host, Brands());
  EXPECT_EQ(site == nullptr ? "" : site->domain, GetParam().site);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProtectedSiteNamedByTest, ::testing::ValuesIn(kNamedCases));

}  // namespace
}  // namespace morvik
