#include "browser/protected_sites.h"

#include <unordered_set>

#include "browser/icu_functions.h"
#include "browser/skeleton.h"

namespace morvik {
namespace {

constexpr std::string_view kPopularSites =
#include "browser/popular_sites.inc"
    ;

// Letters enough that one edit more makes another word rarely: "apple"
// and "apply" are one apart, "bing" and "king" would be too.
constexpr std::size_t kShortestNearLabel = 5;

Text SkeletonOf(const ListedSite& site) {
  if (IsAscii(site.unicode)) return AsciiLookAlikeSkeleton(site.unicode);
  const IcuFunctions* icu = Icu();
  return icu == nullptr ? Text() : LookAlikeSkeleton(*icu, site.unicode);
}

}  // namespace

ProtectedSites::ProtectedSites(const std::vector<ListedSite>& sites) {
  sites_.reserve(sites.size());
  std::unordered_set<std::string_view> seen;
  for (const ListedSite& listed : sites) {
    if (!seen.insert(listed.ascii).second) continue;
    const auto number = static_cast<std::uint32_t>(sites_.size());
    ProtectedSite& site = sites_.emplace_back();
    site.domain = listed.ascii;
    site.skeleton = SkeletonOf(listed);
    site.label_size = site.domain.find('.');
    const std::string_view label = site.label();
    keys_.Add(HashKey(SiteKey::Domain, site.domain), number);
    keys_.Add(HashKey(SiteKey::Suffix, std::string_view(site.domain).substr(label.size() + 1)),
              number);
    if (!site.skeleton.empty()) keys_.Add(HashKey(SiteKey::Skeleton, site.skeleton), number);
    keys_.Add(HashKey(SiteKey::Label, label), number);
    if (label.size() >= kShortestNearLabel) {
      keys_.Add(HashKey(SiteKey::NearLabel, label), number);
      for (std::size_t i = 0; i < label.size(); ++i) {
        keys_.Add(HashKeyWithout(SiteKey::NearLabel, label, i), number);
      }
    }
  }
  keys_.Build();
}

const std::vector<ListedSite>& PopularSiteList() {
  static const std::vector<ListedSite> list = ReadSiteList(kPopularSites).sites;
  return list;
}

const ProtectedSites& PopularSites() {
  static const ProtectedSites sites(PopularSiteList());
  return sites;
}

std::optional<Registrable> RegistrableDomain(std::string_view host, const ProtectedSites& sites) {
  const std::size_t last_dot = host.rfind('.');
  if (last_dot == std::string_view::npos || last_dot == 0) return std::nullopt;
  // Suffixes from the longest: the first that a site has wins.
  std::size_t label_start = 0;
  for (std::size_t dot = host.find('.'); dot != std::string_view::npos;
       label_start = dot + 1, dot = host.find('.', dot + 1)) {
    const std::string_view suffix = host.substr(dot + 1);
    const bool known = sites.keys().Find(HashKey(SiteKey::Suffix, suffix), [&](std::uint32_t n) {
      const ProtectedSite& site = sites.site(n);
      return std::string_view(site.domain).substr(site.label_size + 1) == suffix;
    });
    if (known) return Registrable{host.substr(label_start), dot - label_start};
  }
  const std::size_t previous_dot = host.rfind('.', last_dot - 1);
  const std::size_t start = previous_dot == std::string_view::npos ? 0 : previous_dot + 1;
  return Registrable{host.substr(start), last_dot - start};
}

const ProtectedSite* ProtectedSiteNamedBy(std::string_view host, const ProtectedSites& sites) {
  if (!host.empty() && host.back() == '.') host.remove_suffix(1);
  for (std::size_t start = 0; start < host.size();) {
    const std::string_view domain = host.substr(start);
    const ProtectedSite* found = nullptr;
    sites.keys().Find(HashKey(SiteKey::Domain, domain), [&](std::uint32_t number) {
      if (sites.site(number).domain != domain) return false;
      found = &sites.site(number);
      return true;
    });
    if (found != nullptr) return found;
    const std::size_t dot = host.find('.', start);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return nullptr;
}

}  // namespace morvik
