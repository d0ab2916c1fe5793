// The Windows program is built without libpsl: no host has a known
// registrable domain there, so only equal hosts are one site and no
// subdomain is taken for another site's name.

#include "browser/registrable_domain.h"
#include "support/text.h"

namespace morvik {

std::optional<std::string_view> RegistrableDomain(std::string_view) { return std::nullopt; }

bool IsListedRegistrableDomain(std::string_view) { return false; }

bool SameSite(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

}  // namespace morvik
