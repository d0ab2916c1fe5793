#pragma once
// A list of sites as people write one: a domain a line, in Unicode or in
// its "xn--" form, "#" starting a comment, blank lines skipped.

#include <cstddef>
#include <string_view>
#include <vector>

#include "support/text.h"

namespace morvik {

struct ListedSite {
  Text ascii;    // "xn--80ak6aa92e.com", "paypal.com"
  Text unicode;  // "аррӏе.com", "paypal.com"
};

struct SiteList {
  std::vector<ListedSite> sites;
  // The first line that is no domain name, counted from 1; 0 when none.
  // `sites` is then empty.
  std::size_t bad_line = 0;
  Text error;  // what is wrong with it
};

SiteList ReadSiteList(std::string_view text);

}  // namespace morvik
