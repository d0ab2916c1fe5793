#include "browser/reading.h"

#include <algorithm>
#include <array>
#include <utility>

#include "support/text.h"

namespace morvik {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr long kLargestPort = 65535;

bool IsSlash(char c) { return c == '/' || c == '\\'; }
bool IsTabOrNewline(char c) { return c == '\t' || c == '\n' || c == '\r'; }
bool EndsAuthority(char c) { return IsSlash(c) || c == '?' || c == '#'; }

// Where the authority (or a file host) ends: the first "/", "\", "?" or "#".
std::size_t AuthorityEnd(std::string_view text) {
  return static_cast<std::size_t>(
      std::find_if(text.begin(), text.end(), [](char c) { return EndsAuthority(c); }) -
      text.begin());
}

// Browsers drop C0 controls and spaces around a URL before anything else.
std::string_view TrimControlsAndSpaces(std::string_view text) {
  const auto is_trimmed = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && is_trimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_trimmed(text.back())) text.remove_suffix(1);
  return text;
}

// ...and every tab and line break inside it. `first_removal` is where in the
// result the first one stood.
Text RemoveTabsAndNewlines(std::string_view text, std::size_t& first_removal) {
  Text kept;
  kept.reserve(text.size());
  for (const char c : text) {
    if (IsTabOrNewline(c)) {
      if (first_removal == kNone) first_removal = kept.size();
    } else {
      kept += c;
    }
  }
  return kept;
}

// 0 for a special scheme without a default port, -1 for a scheme that is not
// special.
long DefaultPort(std::string_view scheme) {
  if (scheme == "http" || scheme == "ws") return 80;
  if (scheme == "https" || scheme == "wss") return 443;
  if (scheme == "ftp") return 21;
  if (scheme == "file") return 0;
  return -1;
}

// "localhost:8080/x" has the form of a scheme, but an address bar reads it
// as a host and a port.
bool StartsWithPort(std::string_view after_colon) {
  std::size_t digits = 0;
  while (digits < after_colon.size() && IsAsciiDigit(after_colon[digits])) ++digits;
  return digits > 0 && (digits == after_colon.size() || EndsAuthority(after_colon[digits]));
}

std::string_view TakeSlashes(std::string_view& rest) {
  std::size_t count = 0;
  while (count < rest.size() && IsSlash(rest[count])) ++count;
  const std::string_view slashes = rest.substr(0, count);
  rest.remove_prefix(count);
  return slashes;
}

void Fail(BrowserReading& reading, BrowserFailure failure, Text detail) {
  reading.host.failure = failure;
  reading.host.failure_detail = std::move(detail);
}

// A browser decodes the host's escapes once; the window decodes until none
// is left ("%252e" is "%2e" to one and "." to the other), and both see an
// escaped dot.
// `decoded` is PercentDecodeOnce(host).
void NoteHostEscapes(BrowserReading& reading, std::string_view host, std::string_view decoded) {
  if (host.find('%') == kNone) return;
  for (std::size_t at = host.find('%'); at != kNone; at = host.find('%', at + 1)) {
    if (!IsPercentEscapeAt(host, at)) continue;
    if (reading.escaped_host.empty()) reading.escaped_host = Text(host.substr(0, kKeptEvidence));
    if (host[at + 1] == '2' && (host[at + 2] | 0x20) == 'e') reading.host_encoded_dot = true;
  }
  for (std::size_t at = decoded.find('%'); at != kNone; at = decoded.find('%', at + 1)) {
    if (IsPercentEscapeAt(decoded, at)) reading.host_nested_escape = true;
  }
}

// Splits "host:port" at the first colon outside "[...]".
std::size_t PortColon(std::string_view host_and_port) {
  if (host_and_port.find('[') == kNone) return host_and_port.find(':');
  bool in_brackets = false;
  for (std::size_t i = 0; i < host_and_port.size(); ++i) {
    const char c = host_and_port[i];
    if (c == '[') in_brackets = true;
    if (c == ']') in_brackets = false;
    if (c == ':' && !in_brackets) return i;
  }
  return kNone;
}

// What a byte of an authority is to its splitting; most are nothing.
enum AuthorityByte : unsigned char { kPlain, kEnd, kAt, kColon, kBracket };

constexpr std::array<AuthorityByte, 256> kAuthorityByte = [] {
  std::array<AuthorityByte, 256> kinds{};
  for (const unsigned char c : std::string_view("/\\?#")) kinds[c] = kEnd;
  kinds['@'] = kAt;
  kinds[':'] = kColon;
  kinds['['] = kBracket;
  return kinds;
}();

// Everything up to the first "/", "\", "?" or "#" is the authority; its
// last "@" ends the user part. Returns what follows the authority. One
// look at each byte finds the end, the "@" signs and the port's colon.
// Measured worth: 1 % of the whole program's instructions (callgrind,
// 20,000 URLs).
std::string_view SplitAuthority(UrlPieces& pieces, std::string_view rest) {
  pieces.slashes = TakeSlashes(rest);
  std::size_t end = 0;
  std::size_t last_at = kNone;
  std::size_t colon = kNone;  // the first after the last "@"
  bool bracket = false;
  for (; end < rest.size(); ++end) {
    const AuthorityByte kind = kAuthorityByte[static_cast<unsigned char>(rest[end])];
    if (kind == kPlain) continue;
    if (kind == kEnd) break;
    if (kind == kAt) {
      ++pieces.at_signs;
      last_at = end;
      colon = kNone;
    } else if (kind == kColon) {
      if (colon == kNone) colon = end;
    } else {
      bracket = true;
    }
  }
  pieces.authority = rest.substr(0, end);
  std::string_view host_and_port = pieces.authority;
  const std::size_t host_start = last_at == kNone ? 0 : last_at + 1;
  if (last_at != kNone) {
    pieces.user = host_and_port.substr(0, last_at);
    host_and_port.remove_prefix(host_start);
  }
  // A colon inside "[...]" is an IPv6 address's own.
  if (bracket) {
    colon = PortColon(host_and_port);
  } else if (colon != kNone) {
    colon -= host_start;
  }
  pieces.host = host_and_port.substr(0, colon);
  if (colon != kNone) pieces.port = host_and_port.substr(colon + 1);
  return rest.substr(end);
}

// file://host/share: a host only after two slashes.
std::string_view SplitFileAuthority(UrlPieces& pieces, std::string_view rest) {
  if (rest.size() < 2 || !IsSlash(rest[0]) || !IsSlash(rest[1])) return rest;
  pieces.slashes = rest.substr(0, 2);
  rest.remove_prefix(2);
  pieces.authority = pieces.host = rest.substr(0, AuthorityEnd(rest));
  return rest.substr(pieces.authority.size());
}

void SplitPathQueryFragment(UrlPieces& pieces, std::string_view rest) {
  if (const std::size_t hash = rest.find('#'); hash != kNone) {
    pieces.fragment = rest.substr(hash + 1);
    rest = rest.substr(0, hash);
  }
  if (const std::size_t question = rest.find('?'); question != kNone) {
    pieces.query = rest.substr(question + 1);
    rest = rest.substr(0, question);
  }
  pieces.path = rest;
}

// The pieces up to the path; `rest` is what follows the authority. A
// browser's reading needs no more.
UrlPieces SplitUpToPath(std::string_view url, Text& storage, std::string_view& rest) {
  UrlPieces pieces;
  std::string_view input = TrimControlsAndSpaces(url);
  if (input.find('\t') != kNone || input.find('\n') != kNone || input.find('\r') != kNone) {
    storage = RemoveTabsAndNewlines(input, pieces.first_removal);
    input = storage;
  }
  pieces.text = input;

  const std::optional<std::string_view> scheme = LeadingScheme(input);
  const std::string_view after_colon = scheme ? input.substr(scheme->size() + 1) : input;
  pieces.scheme = scheme ? AsciiLowerCase(*scheme) : "";
  rest = after_colon;
  if (pieces.scheme == "file") {
    rest = SplitFileAuthority(pieces, after_colon);
  } else if (scheme && DefaultPort(pieces.scheme) > 0) {
    rest = SplitAuthority(pieces, after_colon);
  } else if (scheme && !StartsWithPort(after_colon)) {
    pieces.web = false;
  } else {
    pieces.scheme = "http";
    pieces.scheme_assumed = true;
    rest = SplitAuthority(pieces, input);
  }
  return pieces;
}

// The offset in `text` where `piece`, a view into it, ends.
std::size_t EndIn(std::string_view text, std::string_view piece) {
  return static_cast<std::size_t>(piece.data() - text.data()) + piece.size();
}

// file://host/share: no host for a drive letter (file://C:/x) or for
// "localhost".
void ReadFileHost(BrowserReading& reading, const UrlPieces& pieces, const ProtectedSites& sites) {
  if (pieces.slashes.empty()) return;
  reading.slashes = Text(pieces.slashes);
  const std::size_t end = EndIn(pieces.text, pieces.authority);
  reading.authority_end = end == pieces.text.size() ? '\0' : pieces.text[end];
  reading.at_sign_after_authority = pieces.text.find('@', end) != kNone;
  const std::string_view host = pieces.host;
  const bool drive_letter =
      host.size() == 2 && IsAsciiLetter(host[0]) && (host[1] == ':' || host[1] == '|');
  if (host.empty() || drive_letter) return;
  Text decoded = PercentDecodeOnce(host);
  NoteHostEscapes(reading, host, decoded);
  reading.host = ParseBrowserHost(host, std::move(decoded), sites);
  if (reading.host.ascii == "localhost") reading.host = BrowserHost{};
}

void ReadPort(BrowserReading& reading, std::string_view port_text) {
  long port = 0;
  for (const char c : port_text) {
    if (!IsAsciiDigit(c)) {
      Fail(reading, BrowserFailure::Port, "not a number: " + Text(port_text));
      return;
    }
    port = std::min(port * 10 + (c - '0'), kLargestPort + 1);
  }
  if (port > kLargestPort) {
    Fail(reading, BrowserFailure::Port, "above 65535: " + Text(port_text));
    return;
  }
  if (!port_text.empty() && port != DefaultPort(reading.scheme)) reading.port = port;
}

void ReadAuthority(BrowserReading& reading, const UrlPieces& pieces, const ProtectedSites& sites) {
  reading.slashes = Text(pieces.slashes);
  reading.at_signs_in_authority = pieces.at_signs;
  const std::size_t end = EndIn(pieces.text, pieces.authority);
  reading.at_sign_after_authority = pieces.text.find('@', end) != kNone;
  reading.authority_end = end == pieces.text.size() ? '\0' : pieces.text[end];
  reading.tab_or_newline_in_authority =
      pieces.first_removal != kNone && pieces.first_removal <= end;

  if (pieces.at_signs > 0) {
    reading.user_info = Text(pieces.user.substr(0, kKeptEvidence));
  }
  if (pieces.host.empty()) {
    Fail(reading,
         BrowserFailure::EmptyHost,
         reading.at_signs_in_authority == 0 ? "no host" : "nothing after '@'");
    return;
  }
  Text decoded = PercentDecodeOnce(pieces.host);
  NoteHostEscapes(reading, pieces.host, decoded);
  reading.host = ParseBrowserHost(pieces.host, std::move(decoded), sites);
  if (!reading.ok() || !pieces.port) return;
  ReadPort(reading, *pieces.port);
}

}  // namespace

std::optional<std::string_view> LeadingScheme(std::string_view text) {
  static constexpr std::array<bool, 256> kSchemeByte = [] {
    std::array<bool, 256> scheme{};
    for (int c = 0; c < 256; ++c) scheme[c] = IsSchemeCharacter(static_cast<char>(c));
    return scheme;
  }();
  if (text.empty() || !IsAsciiLetter(text[0])) return std::nullopt;
  std::size_t i = 1;
  while (i < text.size() && kSchemeByte[static_cast<unsigned char>(text[i])]) ++i;
  if (i < text.size() && text[i] == ':') return text.substr(0, i);
  return std::nullopt;
}

UrlPieces SplitUrl(std::string_view url, Text& storage) {
  std::string_view rest;
  UrlPieces pieces = SplitUpToPath(url, storage, rest);
  SplitPathQueryFragment(pieces, rest);
  return pieces;
}

BrowserReading ReadAsBrowser(std::string_view url, const ProtectedSites& sites) {
  Text storage;
  std::string_view rest;
  UrlPieces pieces = SplitUpToPath(url, storage, rest);
  BrowserReading reading;
  reading.scheme = std::move(pieces.scheme);
  reading.scheme_assumed = pieces.scheme_assumed;
  if (!pieces.web) {
    Fail(reading, BrowserFailure::NotWebScheme, reading.scheme + ":");
  } else if (reading.scheme == "file") {
    ReadFileHost(reading, pieces, sites);
  } else {
    ReadAuthority(reading, pieces, sites);
  }
  return reading;
}

}  // namespace morvik
