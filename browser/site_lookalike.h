#pragma once
// Names that pass for a protected site without being it or under it: the
// same skeleton (the check browsers make, for internationalised names), and
// for plain ASCII names what browsers never flag: the same skeleton by
// ASCII confusables ("paypa1.com", "rnicrosoft.com"), one edit away
// ("paypall.com", "pyapal.com"), or the site's name with a hyphenated word
// added ("paypal-secure.com").

#include <string_view>

#include "browser/name_display.h"
#include "browser/protected_sites.h"

namespace morvik {

struct SiteLookAlike {
  LookAlike rule = LookAlike::None;
  const ProtectedSite* site = nullptr;  // the site it passes for
};

// `host`: a plain ASCII name, lower case. No ICU call.
SiteLookAlike AsciiSiteLookAlike(std::string_view host, const ProtectedSites& sites);

// `ascii` and `unicode`: the two forms of an internationalised name;
// `skeleton`: the LookAlikeSkeleton of `unicode`.
SiteLookAlike IdnSiteLookAlike(std::string_view ascii, std::string_view unicode,
                               std::string_view skeleton, const ProtectedSites& sites);

// One insertion, deletion, substitution or swap of two neighbours apart.
bool IsOneEditApart(std::string_view a, std::string_view b);

}  // namespace morvik
