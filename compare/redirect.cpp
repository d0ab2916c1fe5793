#include "compare/redirect.h"

#include "browser/host.h"
#include "browser/reading.h"

namespace morvik {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr int kMostDecodings = 3;
// Bounds on a hostile URL's cost: so many places tried, so much of each
// value decoded (the host comes first; the rest of a longer inner URL is
// not read).
constexpr int kMostCandidates = 64;
constexpr std::size_t kLongestInnerUrl = 8 * 1024;

bool StartsAbsolute(std::string_view text) {
  return StartsWithIgnoringAsciiCase(text, "http://") ||
         StartsWithIgnoringAsciiCase(text, "https://");
}

// Where the URL's own authority ends: after the scheme and its slashes,
// at the first "/", "\", "?" or "#".
std::size_t AuthorityEnd(std::string_view url) {
  std::size_t at = 0;
  if (const std::optional<std::string_view> scheme = LeadingScheme(url)) at = scheme->size() + 1;
  while (at < url.size() && (url[at] == '/' || url[at] == '\\')) ++at;
  const std::size_t end = url.find_first_of("/\\?#", at);
  return end == kNone ? url.size() : end;
}

// A value starts after one of these: a path segment after "/", a query
// value after "=", a bare query after "?" or "&".
bool StartsValue(char before) {
  return before == '/' || before == '=' || before == '?' || before == '&';
}

// An escaped URL ends where its value does; one as written goes on to the
// end of a path, or to the next "&" of a query.
std::size_t ValueEnd(std::string_view url, std::size_t start, bool in_query, bool escaped) {
  const std::size_t end = url.find_first_of(escaped ? (in_query ? "&#" : "/?#&") : "&", start);
  if (!escaped && !in_query) return url.size();
  return end == kNone ? url.size() : end;
}

// "http" or "https" and then an escaped ":" ("%3A", "%253A", ...).
bool StartsEscapedAbsolute(std::string_view text) {
  std::size_t at = 4;
  if (at < text.size() && (text[at] == 's' || text[at] == 'S')) ++at;
  if (at >= text.size() || text[at] != '%') return false;
  ++at;
  while (text.substr(at).starts_with("25")) at += 2;
  return StartsWithIgnoringAsciiCase(text.substr(at), "3a");
}

// The value itself when it is an absolute URL, or its decoding when that is.
std::optional<Text> AbsoluteUrlIn(std::string_view value) {
  value = value.substr(0, kLongestInnerUrl);
  if (StartsAbsolute(value)) return Text(value);
  if (!StartsEscapedAbsolute(value)) return std::nullopt;
  Text decoded(value);
  for (int round = 0; round < kMostDecodings && decoded.find('%') != Text::npos; ++round) {
    decoded = PercentDecodeOnce(decoded);
    if (StartsAbsolute(decoded)) return decoded;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Text> InnerUrl(std::string_view url) {
  const std::size_t authority_end = AuthorityEnd(url);
  const std::size_t query = url.find('?', authority_end);
  int candidates = 0;
  for (std::size_t at = url.find_first_of("hH", authority_end + 1);
       at != kNone && candidates < kMostCandidates;
       at = url.find_first_of("hH", at + 1)) {
    if (!StartsValue(url[at - 1]) || !StartsWithIgnoringAsciiCase(url.substr(at), "http")) continue;
    ++candidates;
    const bool in_query = query != kNone && at > query;
    const bool escaped = !StartsAbsolute(url.substr(at));
    const std::size_t end = ValueEnd(url, at, in_query, escaped);
    if (std::optional<Text> inner = AbsoluteUrlIn(url.substr(at, end - at))) return inner;
  }
  return std::nullopt;
}

std::vector<Text> RedirectHosts(std::string_view url) {
  std::vector<Text> hosts;
  std::optional<Text> inner = InnerUrl(url);
  while (inner && hosts.size() < static_cast<std::size_t>(kDeepestRedirect)) {
    const BrowserReading reading = ReadAsBrowser(*inner);
    if (!reading.ok() || reading.host.ascii.empty()) break;
    hosts.push_back(reading.host.ascii);
    inner = InnerUrl(*inner);
  }
  return hosts;
}

}  // namespace morvik
