#pragma once
// Which site a host name belongs to: its registrable domain, the public
// suffix ("com", "co.uk", "github.io") and the one label before it, read
// from the public suffix list (libpsl with Debian's publicsuffix data).
// Two hosts of one registrable domain are one site: "express.com" and
// "rt1-t.notification.express.com".

#include <optional>
#include <string_view>

namespace morvik {

// The registrable domain of `host` (lower-case ASCII, as a browser writes
// it), a view into it. A suffix the list does not name counts as one label
// ("secure.example" for "a.secure.example"). Nothing for a public suffix
// itself or a single label.
std::optional<std::string_view> RegistrableDomain(std::string_view host);

// True when `name` is itself a registrable domain under a suffix the list
// names: "paypal.com" and "paypal.co.uk", not "paypal.secure" nor "co.uk".
bool IsListedRegistrableDomain(std::string_view name);

// The same site: equal registrable domains, or, for hosts without one (an
// address, a single label), equal hosts.
bool SameSite(std::string_view a, std::string_view b);

}  // namespace morvik
