#pragma once
// The classic tell of a phishing link: the text the reader is shown is
// itself a URL or a host name ("https://mybank.example/login"), and the link
// goes somewhere else.

#include <optional>
#include <string_view>

#include "browser/reading.h"
#include "support/text.h"

namespace morvik {

// The host (as a browser writes it) that a shown text names when it is a
// URL with "://", or a host name with an optional path ("mybank.example",
// "www.mybank.example/login"); nothing for any other text. Defanged text is
// refanged first.
std::optional<Text> ShownHost(std::string_view shown);

// True when the shown text names a host and a browser would go to another
// for the link. A leading "www." on either side is no difference.
bool ShownTextNamesAnotherHost(std::string_view shown, const BrowserReading& link);

// For a host the shown text names (ShownHost): true when a browser would
// go to another host for the link, and when to another site (see
// RegistrableDomain: "express.com" shown for "rt1-t.notification.express.com"
// is the same site, never another).
bool NamesAnotherHost(std::string_view shown_host, const BrowserReading& link);
bool NamesAnotherSite(std::string_view shown_host, const BrowserReading& link);

}  // namespace morvik
