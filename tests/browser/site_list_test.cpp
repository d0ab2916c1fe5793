#include "browser/site_list.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "browser/icu_functions.h"

namespace morvik {
namespace {

struct ListCase {
  std::string name;
  std::string text;
  std::vector<std::string> ascii;  // the sites read, in ASCII form
  std::size_t bad_line = 0;
};

const ListCase kListCases[] = {
    {"one a line", "paypal.com\nmicrosoft.com\n", {"paypal.com", "microsoft.com"}},
    {"no last newline", "paypal.com", {"paypal.com"}},
    {"comments and blanks", "# our brands\n\n  paypal.com  # the main one\n\t\n", {"paypal.com"}},
    {"CRLF, capitals, a root dot", "PayPal.COM.\r\n", {"paypal.com"}},
    {"Unicode and xn-- forms",
     "bücher.de\nxn--bcher-kva.de\n",
     {"xn--bcher-kva.de", "xn--bcher-kva.de"}},
    {"a subdomain", "login.mybank.co.uk\n", {"login.mybank.co.uk"}},
    {"empty", "", {}},
    // The first bad line is named; nothing is taken from the list.
    {"a space inside", "paypal.com\npay pal.com\n", {}, 2},
    {"one label", "paypal.com\n\nlocalhost\n", {}, 3},
    {"an address", "192.168.1.1\n", {}, 1},
    {"an empty label", "paypal..com\n", {}, 1},
    {"a leading hyphen", "-paypal.com\n", {}, 1},
    {"a URL", "https://paypal.com/\n", {}, 1},
    {"a forbidden character", "pay_pal.com\n", {}, 1},
    {"a label too long", std::string(64, 'a') + ".com\n", {}, 1},
    {"refused by IDNA", "a\xE2\x80\x8D.com\n", {}, 1},
    {"not UTF-8", "caf\xE9.com\n", {}, 1},
};

class SiteListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(SiteListTest, ReadsEveryLineOrNamesTheFirstBadOne) {
  const ListCase& test = GetParam();
  if (Icu() == nullptr && test.name == "refused by IDNA") GTEST_SKIP() << "needs ICU's IDNA";
  const SiteList list = ReadSiteList(test.text);
  std::vector<std::string> ascii;
  for (const ListedSite& site : list.sites) ascii.push_back(site.ascii);
  EXPECT_EQ(ascii, test.ascii) << test.name;
  EXPECT_EQ(list.bad_line, test.bad_line) << test.name;
  EXPECT_EQ(list.error.empty(), test.bad_line == 0) << test.name << ": " << list.error;
}

INSTANTIATE_TEST_SUITE_P(Cases, SiteListTest, ::testing::ValuesIn(kListCases),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : info.param.name) {
                             name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
                           }
                           return name;
                         });

TEST(SiteListTest, KeepsTheUnicodeForm) {
  if (Icu() == nullptr) GTEST_SKIP() << "needs ICU's IDNA";
  const SiteList list = ReadSiteList("xn--bcher-kva.de\n");
  ASSERT_EQ(list.sites.size(), 1u);
  EXPECT_EQ(list.sites[0].unicode, "bücher.de");
}

}  // namespace
}  // namespace morvik
