#pragma once
// Where a browser would go for a URL: the host (and port) that the URL
// parser of a web browser finds for the special schemes http, https, ws,
// wss, ftp and file. Text without a scheme is read as an address bar reads
// it, as if "http://" stood in front.
//
// Besides the result, the reading keeps what it met on the way (slashes,
// "@" signs, removed tabs), so that a disagreement with the window's reading
// can be explained.

#include <cstddef>
#include <optional>
#include <string_view>

#include "browser/host.h"
#include "support/text.h"

namespace morvik {

inline constexpr std::size_t kKeptEvidence = 256;

struct BrowserReading {
  Text scheme;                  // lower case
  bool scheme_assumed = false;  // no scheme was written
  Text slashes;                 // the "/" and "\" between "scheme:" and the authority
  int at_signs_in_authority = 0;
  Text user_info;             // the authority's text before its last "@", as written
  char authority_end = '\0';  // '/', '\\', '?', '#', or '\0' when the URL ends
  bool at_sign_after_authority = false;
  bool tab_or_newline_in_authority = false;
  bool host_encoded_dot = false;    // the host as written holds "%2e" or "%2E"
  bool host_nested_escape = false;  // ...or escapes of escapes ("%252e"), decoded once only
  Text escaped_host;                // "" when the host holds no escape
  std::optional<long> port;         // absent when none or the scheme's default
  BrowserHost host;                 // host.failure also carries the URL-level failures

  bool ok() const { return host.failure == BrowserFailure::None; }
};

// Names that pass for one of `sites` are flagged (see BrowserHost).
BrowserReading ReadAsBrowser(std::string_view url, const ProtectedSites& sites = PopularSites());

// The pieces of a URL as written, where a browser finds them: views into
// the URL after controls and spaces around it are trimmed and tabs and line
// breaks inside it removed (into `storage` when there are any).
struct UrlPieces {
  std::string_view text;  // the whole URL as the browser reads it
  // Where in `text` the first tab or line break stood, if any was removed.
  std::size_t first_removal = std::string_view::npos;
  Text scheme;                  // lower case; "http" when none was written
  bool scheme_assumed = false;  // no scheme was written
  bool web = true;              // false: a scheme with no host to go to (mailto:, javascript:)
  std::string_view slashes;     // between "scheme:" and the authority
  std::string_view authority;   // user part, host and port; a file URL's host
  int at_signs = 0;             // in the authority
  std::string_view user;        // before the last "@" of the authority, without it
  std::string_view host;        // as written, not decoded
  std::optional<std::string_view> port;      // after the host's ":", when there is one
  std::string_view path;                     // from the end of the authority to "?" or "#"
  std::optional<std::string_view> query;     // after "?", when there is one
  std::optional<std::string_view> fragment;  // after "#", when there is one
};

UrlPieces SplitUrl(std::string_view url, Text& storage);

// A scheme is a letter, then letters, digits, "+", "-" or ".".
constexpr bool IsSchemeCharacter(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

// The scheme before the first ":", as written, when the text starts with one.
std::optional<std::string_view> LeadingScheme(std::string_view text);

}  // namespace morvik
