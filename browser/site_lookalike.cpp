#include "browser/site_lookalike.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "browser/icu_functions.h"
#include "browser/idna.h"
#include "browser/skeleton.h"

namespace morvik {
namespace {

// A site's name with a word added must still stand out as the name: "news"
// of news.com.au is a word, and "bbc-news" no disguise of it.
constexpr std::size_t kShortestWordedLabel = 5;

std::string_view WithoutTrailingDot(std::string_view host) {
  if (!host.empty() && host.back() == '.') host.remove_suffix(1);
  return host;
}

std::size_t LabelCount(std::string_view name) {
  return static_cast<std::size_t>(std::count(name.begin(), name.end(), '.')) + 1;
}

// The last `count` labels of `name`, which has at least as many.
std::string_view LastLabels(std::string_view name, std::size_t count) {
  std::size_t start = name.size();
  for (; count > 0 && start != std::string_view::npos; --count) {
    start = start == 0 ? std::string_view::npos : name.rfind('.', start - 1);
  }
  return start == std::string_view::npos ? name : name.substr(start + 1);
}

// The first site under `key` that `accept` takes.
template <typename Accept>
const ProtectedSite* FindSite(const ProtectedSites& sites, std::uint64_t key,
                              const Accept& accept) {
  const ProtectedSite* found = nullptr;
  sites.keys().Find(key, [&](std::uint32_t number) {
    if (!accept(sites.site(number))) return false;
    found = &sites.site(number);
    return true;
  });
  return found;
}

const ProtectedSite* SameSkeleton(const ProtectedSites& sites, const Text& skeleton,
                                  std::string_view domain) {
  if (skeleton.empty()) return nullptr;
  return FindSite(sites, HashKey(SiteKey::Skeleton, skeleton), [&](const ProtectedSite& site) {
    return site.skeleton == skeleton && site.domain != domain;
  });
}

// Each ASCII character's skeleton as a piece of a key, added in one step.
// Measured worth: 0.6 % of the whole program's instructions (callgrind,
// 20,000 URLs).
const std::array<KeyPiece, 128>& SkeletonPieces() {
  static const std::array<KeyPiece, 128> pieces = [] {
    std::array<KeyPiece, 128> made;
    const AsciiSkeletons& table = AsciiSkeletonTable();
    for (std::size_t c = 0; c < made.size(); ++c) made[c] = KeyPiece(table[c]);
    return made;
  }();
  return pieces;
}

// As SameSkeleton, the skeleton hashed as it is made: a name without a
// look-alike makes no skeleton text.
const ProtectedSite* SameAsciiSkeleton(const ProtectedSites& sites, std::string_view domain) {
  const std::array<KeyPiece, 128>& pieces = SkeletonPieces();
  KeyHash hash(SiteKey::Skeleton);
  for (const char c : domain) hash.Add(pieces[static_cast<unsigned char>(c) & 0x7F]);
  Text skeleton;
  return FindSite(sites, hash.value(), [&](const ProtectedSite& site) {
    if (skeleton.empty()) skeleton = AsciiLookAlikeSkeleton(domain);
    return site.skeleton == skeleton && site.domain != domain;
  });
}

const ProtectedSite* OneEditAway(const ProtectedSites& sites, std::string_view label) {
  // Both names long enough: "mail" is a word, not a near miss of "gmail".
  if (!sites.MayBeOneEditFrom(label)) return nullptr;
  const auto near = [&](const ProtectedSite& site) { return IsOneEditApart(label, site.label()); };
  // The site's label, or it less one letter, is the label less one letter
  // (an insertion or a swap), the label itself (a deletion) or the label
  // less the same letter (a substitution).
  const ProtectedSite* found = nullptr;
  ForEachNearLabelKey(label, [&](std::uint64_t key) {
    found = FindSite(sites, key, near);
    return found != nullptr;
  });
  return found;
}

// "paypal-secure", "secure-paypal", "my-paypal-login": hyphen-separated
// words, some of them a site's label.
const ProtectedSite* WithAddedWord(const ProtectedSites& sites, std::string_view label) {
  if (label.find('-') == std::string_view::npos) return nullptr;
  std::vector<std::size_t> starts{0};
  for (std::size_t at = label.find('-'); at != std::string_view::npos;
       at = label.find('-', at + 1)) {
    starts.push_back(at + 1);
  }
  const std::size_t words = starts.size();
  for (std::size_t first = 0; first < words; ++first) {
    for (std::size_t last = first; last < words; ++last) {
      if (first == 0 && last + 1 == words) continue;  // all of it: no word added
      const std::size_t end = last + 1 == words ? label.size() : starts[last + 1] - 1;
      const std::string_view run = label.substr(starts[first], end - starts[first]);
      if (run.size() < kShortestWordedLabel) continue;
      const ProtectedSite* site =
          FindSite(sites, HashKey(SiteKey::Label, run), [&](const ProtectedSite& s) {
            return s.label() == run;
          });
      if (site != nullptr) return site;
    }
  }
  return nullptr;
}

}  // namespace

bool IsOneEditApart(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1 || a == b) return false;
  std::size_t prefix = 0;
  while (prefix < a.size() && a[prefix] == b[prefix]) ++prefix;
  if (a.size() < b.size()) return a.substr(prefix) == b.substr(prefix + 1);
  if (a.substr(prefix + 1) == b.substr(prefix + 1)) return true;  // substitution
  return prefix + 1 < a.size() && a[prefix] == b[prefix + 1] && a[prefix + 1] == b[prefix] &&
         a.substr(prefix + 2) == b.substr(prefix + 2);
}

SiteLookAlike AsciiSiteLookAlike(std::string_view host, const ProtectedSites& sites) {
  host = WithoutTrailingDot(host);
  const std::optional<Registrable> registrable = RegistrableDomain(host, sites);
  if (!registrable) return {};
  const std::string_view label = registrable->label();
  SiteLookAlike found;
  if (const ProtectedSite* site = SameAsciiSkeleton(sites, registrable->domain)) {
    found = {LookAlike::AsciiConfusable, site};
  } else if (const ProtectedSite* near = OneEditAway(sites, label)) {
    found = {LookAlike::OneEdit, near};
  } else if (const ProtectedSite* worded = WithAddedWord(sites, label)) {
    found = {LookAlike::AddedWord, worded};
  }
  // A protected site's own subdomains pass for nothing.
  if (found.site != nullptr && ProtectedSiteNamedBy(host, sites) != nullptr) return {};
  return found;
}

SiteLookAlike IdnSiteLookAlike(std::string_view ascii, std::string_view unicode,
                               std::string_view skeleton, const ProtectedSites& sites) {
  const IcuFunctions* icu = Icu();
  ascii = WithoutTrailingDot(ascii);
  unicode = WithoutTrailingDot(unicode);
  skeleton = WithoutTrailingDot(skeleton);
  const std::optional<Registrable> registrable = RegistrableDomain(ascii, sites);
  if (icu == nullptr || !registrable) return {};
  const std::size_t labels = LabelCount(registrable->domain);
  // The skeleton of the same labels: the end of the name's skeleton, or,
  // where a character's skeleton holds a dot, their own.
  Text registrable_skeleton;
  if (LabelCount(skeleton) == LabelCount(ascii)) {
    registrable_skeleton = Text(LastLabels(skeleton, labels));
  } else {
    const std::vector<std::string_view> unicode_labels = SplitLabels(unicode);
    if (unicode_labels.size() < labels) return {};
    const std::string_view first = unicode_labels[unicode_labels.size() - labels];
    registrable_skeleton = LookAlikeSkeleton(
        *icu, unicode.substr(static_cast<std::size_t>(first.data() - unicode.data())));
  }
  const ProtectedSite* site = SameSkeleton(sites, registrable_skeleton, registrable->domain);
  if (site == nullptr || ProtectedSiteNamedBy(ascii, sites) != nullptr) return {};
  return {LookAlike::SiteSkeleton, site};
}

}  // namespace morvik
