#include "browser/reading.h"

#include <algorithm>

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

// file://host/share: a host only after two slashes, none for a drive letter
// (file://C:/x) or for "localhost".
void ReadFileHost(BrowserReading& reading, std::string_view rest, const ProtectedSites& sites) {
  if (rest.size() < 2 || !IsSlash(rest[0]) || !IsSlash(rest[1])) return;
  reading.slashes = Text(rest.substr(0, 2));
  rest.remove_prefix(2);
  const std::size_t end = AuthorityEnd(rest);
  const std::string_view host = rest.substr(0, end);
  reading.authority_end = end == rest.size() ? '\0' : rest[end];
  reading.at_sign_after_authority = rest.find('@', host.size()) != kNone;
  const bool drive_letter =
      host.size() == 2 && IsAsciiLetter(host[0]) && (host[1] == ':' || host[1] == '|');
  if (host.empty() || drive_letter) return;
  Text decoded = PercentDecodeOnce(host);
  NoteHostEscapes(reading, host, decoded);
  reading.host = ParseBrowserHost(host, std::move(decoded), sites);
  if (reading.host.ascii == "localhost") reading.host = BrowserHost{};
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

// Everything up to the first "/", "\", "?" or "#" is the authority; its last
// "@" ends the user information.
void ReadAuthority(BrowserReading& reading, std::string_view rest, std::size_t rest_offset,
                   std::size_t first_removal, const ProtectedSites& sites) {
  reading.slashes = Text(TakeSlashes(rest));
  const std::size_t end = AuthorityEnd(rest);
  std::size_t last_at = kNone;
  std::size_t at = rest.find('@');
  for (; at < end; at = rest.find('@', at + 1)) {
    ++reading.at_signs_in_authority;
    last_at = at;
  }
  reading.at_sign_after_authority = at != kNone;
  const std::string_view authority = rest.substr(0, end);
  reading.authority_end = end == rest.size() ? '\0' : rest[end];
  const std::size_t authority_end_offset = rest_offset + reading.slashes.size() + authority.size();
  reading.tab_or_newline_in_authority =
      first_removal != kNone && first_removal <= authority_end_offset;

  if (last_at != kNone)
    reading.user_info = Text(authority.substr(0, std::min(last_at, kKeptEvidence)));
  const std::string_view host_and_port =
      last_at == kNone ? authority : authority.substr(last_at + 1);
  const std::size_t colon = PortColon(host_and_port);
  const std::string_view host = host_and_port.substr(0, colon);
  if (host.empty()) {
    Fail(reading, BrowserFailure::EmptyHost, last_at == kNone ? "no host" : "nothing after '@'");
    return;
  }
  Text decoded = PercentDecodeOnce(host);
  NoteHostEscapes(reading, host, decoded);
  reading.host = ParseBrowserHost(host, std::move(decoded), sites);
  if (!reading.ok() || colon == kNone) return;
  ReadPort(reading, host_and_port.substr(colon + 1));
}

}  // namespace

std::optional<std::string_view> LeadingScheme(std::string_view text) {
  if (text.empty() || !IsAsciiLetter(text[0])) return std::nullopt;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return text.substr(0, i);
    if (!IsSchemeCharacter(c)) break;
  }
  return std::nullopt;
}

BrowserReading ReadAsBrowser(std::string_view url, const ProtectedSites& sites) {
  BrowserReading reading;
  std::string_view input = TrimControlsAndSpaces(url);
  std::size_t first_removal = kNone;
  Text without_tabs;
  if (input.find('\t') != kNone || input.find('\n') != kNone || input.find('\r') != kNone) {
    without_tabs = RemoveTabsAndNewlines(input, first_removal);
    input = without_tabs;
  }

  std::string_view rest = input;
  const std::optional<std::string_view> scheme = LeadingScheme(input);
  const std::string_view after_colon = scheme ? input.substr(scheme->size() + 1) : input;
  reading.scheme = scheme ? AsciiLowerCase(*scheme) : "";
  if (reading.scheme == "file") {
    ReadFileHost(reading, after_colon, sites);
    return reading;
  }
  if (scheme && DefaultPort(reading.scheme) > 0) {
    rest = after_colon;
  } else if (scheme && !StartsWithPort(after_colon)) {
    Fail(reading, BrowserFailure::NotWebScheme, reading.scheme + ":");
    return reading;
  } else {
    reading.scheme = "http";
    reading.scheme_assumed = true;
  }
  ReadAuthority(
      reading, rest, static_cast<std::size_t>(rest.data() - input.data()), first_removal, sites);
  return reading;
}

}  // namespace morvik
