// The disguises of where a link hands the visitor on: a URL inside the URL,
// and a target that is a script instead of a place.

#include <algorithm>

#include "browser/registrable_domain.h"
#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"
#include "compare/redirect.h"

namespace morvik {
namespace {

constexpr std::size_t kShownScript = 60;

}  // namespace

// Only a hop to another site hides anything: a site's own login page
// passing a visitor back to its mail is plain.
void FindRedirect(const LinkFacts& link, LinkDisguises& found) {
  if (!link.browser.ok()) return;
  const std::vector<Text> hosts = RedirectHosts(link.url);
  const std::string_view own = link.browser.host.ascii;
  const bool elsewhere = std::any_of(
      hosts.begin(), hosts.end(), [&](const Text& host) { return !SameSite(host, own); });
  if (!elsewhere) return;
  constexpr std::string_view kThen = " -> ";
  std::size_t bytes = 0;
  for (const Text& host : hosts) bytes += kThen.size() + EvidenceBytes(host);
  Text detail;
  detail.reserve(bytes);
  for (const Text& host : hosts) {
    if (!detail.empty()) detail += kThen;
    AppendEvidence(detail, host);
  }
  AddDisguise(found.found, kRedirectDisguise, std::move(detail));
  found.leads_to = hosts.back();
}

// The detail is what the script would do: its first characters, or the
// media type of a data: URL ("text/html").
void FindScriptLink(const LinkFacts& link, LinkDisguises& found) {
  // Compared as a view: lengths first, which nearly every scheme fails.
  const std::string_view scheme = link.browser.scheme;
  const bool script = scheme == "javascript" || scheme == "vbscript";
  if (!script && scheme != "data") return;
  const std::size_t colon = link.url.find(':');
  std::string_view body = colon == std::string_view::npos ? "" : link.url.substr(colon + 1);
  if (!script) {
    body = body.substr(0, body.find_first_of(",;"));
    if (body.empty()) body = "text/plain";
  }
  AddDisguise(found.found, kScriptLinkDisguise, Text(scheme) + ": " + Evidence(body, kShownScript));
}

}  // namespace morvik
