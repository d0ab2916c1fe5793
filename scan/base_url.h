#pragma once
// Relative links in a page, made absolute against the page's base (its
// <base href>), so that each can be read as a browser would follow it.
//
// Kept simple on purpose: a reference with a scheme stands as written;
// "//host/..." takes the base's scheme; "/path", "?query" and "#fragment"
// replace the base's path, query or fragment; any other text replaces the
// base's last path segment. Dot segments ("../") are left in place: they
// never change the host, which is what the readings are about.

#include <string_view>

#include "support/text.h"

namespace morvik {

// `base` empty, or without "scheme://": the reference as written.
Text ResolveReference(std::string_view base, std::string_view reference);

// The scheme of a URL ("http" in "HTTP://x"), lower case; empty when the
// text has none (letters, digits, "+", "-", "." before the first ":" and
// before any "/", "?" or "#").
Text SchemeOf(std::string_view url);

}  // namespace morvik
