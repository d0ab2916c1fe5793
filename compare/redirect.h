#pragma once
// Links that hand the visitor on: a query value or path segment that holds
// an absolute URL, as written or percent-encoded
// ("https://trusted.example/out?url=https%3A%2F%2Fevil.example%2F"). The
// trusted host is what the reader sees; the inner URL is where the click
// ends up.

#include <optional>
#include <string_view>
#include <vector>

#include "support/text.h"

namespace morvik {

// How many URLs inside URLs are followed.
inline constexpr int kDeepestRedirect = 8;

// The first absolute http: or https: URL held in a query value, path
// segment or fragment of `url`, decoded (an escaped one is decoded up to
// three times); nothing when there is none.
std::optional<Text> InnerUrl(std::string_view url);

// The host a browser would go to for each inner URL in turn, outermost
// first, at most kDeepestRedirect of them; an inner URL that leads to no
// host ends the chain.
std::vector<Text> RedirectHosts(std::string_view url);

}  // namespace morvik
