// URLs inside URLs: whatever the bytes, an inner URL is absolute, no longer
// than the bound on one and never longer than the text it came from once
// decoded; the chain of hosts stops at its depth; and the disguises of the
// URL are named from the table, each once at most, leads_to given exactly
// when a redirect is.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "compare/disguise_names.h"
#include "compare/redirect.h"
#include "compare/url_report.h"
#include "fuzz/fuzz_check.h"

namespace morvik::fuzz {
namespace {

void CheckRedirect(std::string_view input) {
  const Text url(input);
  if (const std::optional<Text> inner = InnerUrl(url)) {
    Require(StartsWithIgnoringAsciiCase(*inner, "http://") ||
                StartsWithIgnoringAsciiCase(*inner, "https://"),
            "an inner URL is absolute",
            url,
            Printable(*inner));
    Require(inner->size() <= url.size(), "an inner URL is part of its URL", url, Printable(*inner));
  }
  const std::vector<Text> hosts = RedirectHosts(url);
  Require(hosts.size() <= static_cast<std::size_t>(kDeepestRedirect), "redirects end", url);
  for (const Text& host : hosts) Require(!host.empty(), "every hop has a host", url);

  const UrlReport report = AnalyseUrl(url, {});
  std::set<std::string_view> known;
  for (const DisguiseEntry& entry : AllDisguises()) known.insert(entry.name);
  std::set<Text> named;
  bool redirect = false;
  for (const Disguise& disguise : report.disguises.found) {
    Require(known.contains(disguise.name), "a disguise is named from the table", url);
    // A hidden character is named for each place it stands in (the host,
    // the path, ...); its detail says which.
    const bool per_place =
        disguise.name == kDirectionControlDisguise || disguise.name == kInvisibleCharacterDisguise;
    const Text once =
        per_place ? Text(disguise.name) + ": " + disguise.detail : Text(disguise.name);
    Require(
        named.insert(once).second, "a disguise is named once (a hidden one in each place)", url);
    redirect = redirect || disguise.name == kRedirectDisguise;
  }
  Require(redirect == report.disguises.leads_to.has_value(), "leads_to comes with a redirect", url);
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckRedirect(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
