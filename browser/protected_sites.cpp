#include "browser/protected_sites.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "browser/icu_functions.h"
#include "browser/skeleton.h"

namespace morvik {
namespace {

constexpr std::string_view kPopularSites =
#include "browser/popular_sites.inc"
    ;

Text SkeletonOf(const ListedSite& site) {
  if (IsAscii(site.unicode)) return AsciiLookAlikeSkeleton(site.unicode);
  const IcuFunctions* icu = Icu();
  return icu == nullptr ? Text() : LookAlikeSkeleton(*icu, site.unicode);
}

}  // namespace

ProtectedSites::ProtectedSites(const std::vector<ListedSite>& sites) {
  sites_.reserve(sites.size());
  std::unordered_set<std::string_view> seen;
  std::unordered_map<std::string_view, std::uint32_t> suffix_ends;
  for (const ListedSite& listed : sites) {
    if (!seen.insert(listed.ascii).second) continue;
    const auto number = static_cast<std::uint32_t>(sites_.size());
    ProtectedSite& site = sites_.emplace_back();
    site.domain = listed.ascii;
    site.skeleton = SkeletonOf(listed);
    site.label_size = site.domain.find('.');
    const std::string_view label = site.label();
    keys_.Add(HashKey(SiteKey::Domain, site.domain), number);
    // Each end of a suffix once: thousands of sites under "com" would be
    // one long run of equal keys for every look-up that lands in it.
    const std::string_view suffix = std::string_view(site.domain).substr(label.size() + 1);
    for (std::size_t dot = suffix.size();;) {
      dot = dot == 0 ? std::string_view::npos : suffix.rfind('.', dot - 1);
      const std::string_view end = dot == std::string_view::npos ? suffix : suffix.substr(dot + 1);
      const auto [at, added] =
          suffix_ends.emplace(end, static_cast<std::uint32_t>(suffix_ends_.size()));
      if (added) suffix_ends_.push_back({Text(end)});
      SuffixEnd& known = suffix_ends_[at->second];
      if (dot == std::string_view::npos) {
        known.suffix = true;
        break;
      }
      known.longer = true;
    }
    if (!site.skeleton.empty()) {
      keys_.Add(HashKey(SiteKey::Skeleton, site.skeleton), number);
    }
    keys_.Add(HashKey(SiteKey::Label, label), number);
    if (label.size() >= kShortestNearLabel) {
      ForEachNearLabelKey(label, [&](std::uint64_t key) {
        keys_.Add(key, number);
        return false;
      });
      for (std::size_t length = label.size() - 1; length <= label.size() + 1; ++length) {
        first_two_[EndKey(length, label[0], label[1])] = true;
        last_two_[EndKey(length, label[label.size() - 2], label.back())] = true;
      }
    }
  }
  keys_.Build();
  for (std::size_t n = 0; n < suffix_ends_.size(); ++n) {
    suffix_keys_.Add(HashKeyBackwards(SiteKey::Suffix, suffix_ends_[n].text),
                     static_cast<std::uint32_t>(n));
  }
  suffix_keys_.Build();
}

std::size_t ProtectedSites::EndKey(std::size_t length, char first, char second) {
  const auto pair = static_cast<std::size_t>(static_cast<unsigned char>(first)) * 31 +
                    static_cast<unsigned char>(second);
  return (std::min<std::size_t>(length, 63) << 10) | (pair & 1023);
}

bool ProtectedSites::MayBeOneEditFrom(std::string_view label) const {
  if (label.size() < kShortestNearLabel) return false;
  return first_two_[EndKey(label.size(), label[0], label[1])] ||
         last_two_[EndKey(label.size(), label[label.size() - 2], label.back())];
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
  // Every end of the host after a dot, in one pass from the host's end,
  // until one ends no suffix: the longest that is a site's suffix and
  // leaves a label before it wins, else the last label.
  std::size_t suffix_dot = last_dot;
  KeyHash hash(SiteKey::Suffix);
  for (std::size_t i = host.size(); i-- > 1;) {
    if (host[i] == '.') {
      const ProtectedSites::SuffixEnd* end = sites.FindSuffixEnd(hash.value(), host.substr(i + 1));
      if (end == nullptr) break;
      if (end->suffix) suffix_dot = i;
      if (!end->longer) break;
    }
    hash.Add(host[i]);
  }
  const std::size_t previous_dot = host.rfind('.', suffix_dot - 1);
  const std::size_t start = previous_dot == std::string_view::npos ? 0 : previous_dot + 1;
  return Registrable{host.substr(start), suffix_dot - start};
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
