// Which site a host belongs to, by the public suffix list.

#include "browser/registrable_domain.h"

#include <gtest/gtest.h>

#include <string>

namespace morvik {
namespace {

struct SiteCase {
  std::string host;
  std::string site;  // "" for none
};

const SiteCase kSiteCases[] = {
    {"rt1-t.notification.express.com", "express.com"},
    {"express.com", "express.com"},
    {"a.b.co.uk", "b.co.uk"},
    {"x.s3.amazonaws.com", "x.s3.amazonaws.com"},  // a suffix of the list's private part
    {"a.secure.example", "secure.example"},        // a suffix the list does not name
    {"co.uk", ""},
    {"com", ""},
    {"localhost", ""},
    {"178.162.245.55", ""},
    {"[2001:db8::1]", ""},
    {"", ""},
    {std::string(300, 'a') + ".com", ""},
};

class RegistrableDomainTest : public ::testing::TestWithParam<SiteCase> {};

TEST_P(RegistrableDomainTest, IsTheSuffixAndOneLabel) {
  EXPECT_EQ(std::string(RegistrableDomain(GetParam().host).value_or("")), GetParam().site);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistrableDomainTest, ::testing::ValuesIn(kSiteCases));

TEST(RegistrableDomainTest, OnlyANameUnderAListedSuffixIsListed) {
  EXPECT_TRUE(IsListedRegistrableDomain("paypal.com"));
  EXPECT_TRUE(IsListedRegistrableDomain("paypal.co.uk"));
  EXPECT_FALSE(IsListedRegistrableDomain("paypal.invalidsuffix"));
  EXPECT_FALSE(IsListedRegistrableDomain("co.uk"));
  EXPECT_FALSE(IsListedRegistrableDomain("www.paypal.com"));
  EXPECT_FALSE(IsListedRegistrableDomain("paypal"));
  EXPECT_FALSE(IsListedRegistrableDomain("10.0.0.1"));
}

TEST(RegistrableDomainTest, SameSiteComparesRegistrableDomainsOrWholeHosts) {
  EXPECT_TRUE(SameSite("express.com", "rt1-t.notification.express.com"));
  EXPECT_TRUE(SameSite("www.example.co.uk", "shop.example.co.uk"));
  EXPECT_FALSE(SameSite("example.co.uk", "other.co.uk"));
  EXPECT_FALSE(SameSite("mybank.example", "mybank-example.verify-id.example"));
  EXPECT_TRUE(SameSite("10.0.0.1", "10.0.0.1"));
  EXPECT_FALSE(SameSite("10.0.0.1", "10.0.0.2"));
  EXPECT_FALSE(SameSite("localhost", "example.com"));
}

}  // namespace
}  // namespace morvik
