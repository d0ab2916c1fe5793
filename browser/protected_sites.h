#pragma once
// The sites whose look-alikes are flagged: the popular sites built into the
// program and the analyst's own (--brands), each taken for a registrable
// domain: its first label is the name people know ("paypal"), the rest its
// public suffix ("com", "co.uk"). Made once, then only read.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "browser/site_keys.h"
#include "browser/site_list.h"
#include "support/text.h"

namespace morvik {

// The letters a site's first label, and a name's, need before one edit
// between them counts as a near miss: "paypal" and "paypall" are one, but
// "mail" and "gmail" two words.
constexpr std::size_t kShortestNearLabel = 5;

struct ProtectedSite {
  Text domain;    // ASCII form: "paypal.com", "xn--80ak6aa92e.com"
  Text skeleton;  // of its Unicode form (see LookAlikeSkeleton)
  std::size_t label_size = 0;

  std::string_view label() const { return std::string_view(domain).substr(0, label_size); }
};

class ProtectedSites {
 public:
  // Later duplicates of a domain are dropped.
  explicit ProtectedSites(const std::vector<ListedSite>& sites);

  const ProtectedSite& site(std::uint32_t number) const { return sites_[number]; }
  const SiteKeys& keys() const { return keys_; }
  std::size_t size() const { return sites_.size(); }

  // False when no site's first label can be one edit from `label`: one edit
  // keeps either the first two letters or the last two, and the length
  // within one. Two bits for a site, tested before any hash is made.
  bool MayBeOneEditFrom(std::string_view label) const;

  // What `text`, the end of a host after one of its dots, is to the sites'
  // suffixes, found by its HashKeyBackwards(SiteKey::Suffix): "co.uk" a
  // suffix, "uk" the end of one.
  struct SuffixEnd {
    Text text;
    bool suffix = false;  // a site's suffix
    bool longer = false;  // the end of a longer suffix
  };
  // Null when `text` ends no site's suffix.
  const SuffixEnd* FindSuffixEnd(std::uint64_t key, std::string_view text) const {
    const SuffixEnd* found = nullptr;
    suffix_keys_.Find(key, [&](std::uint32_t n) {
      if (suffix_ends_[n].text != text) return false;
      found = &suffix_ends_[n];
      return true;
    });
    return found;
  }

 private:
  static constexpr std::size_t kEnds = 64 * 1024;  // lengths below 64 and a pair of letters
  static std::size_t EndKey(std::size_t length, char first, char second);

  std::vector<ProtectedSite> sites_;
  SiteKeys keys_;
  // Apart from the sites' keys: few, and a host's end is looked up label by
  // label only until it ends no suffix. Measured worth: 0.5 % of the whole
  // program's instructions (callgrind, 20,000 URLs).
  std::vector<SuffixEnd> suffix_ends_;
  SiteKeys suffix_keys_;
  std::vector<bool> first_two_ = std::vector<bool>(kEnds);
  std::vector<bool> last_two_ = std::vector<bool>(kEnds);
};

// The popular sites compiled into the program (browser/data).
const std::vector<ListedSite>& PopularSiteList();
const ProtectedSites& PopularSites();

// The registrable domain of `host` (ASCII, lower case, no trailing dot):
// its longest end that is one label before a suffix the sites know, or
// the last two labels. Nothing for a host of one label.
struct Registrable {
  std::string_view domain;  // "paypal-secure.com" of "www.paypal-secure.com"
  std::size_t label_size = 0;

  std::string_view label() const { return domain.substr(0, label_size); }
};
std::optional<Registrable> RegistrableDomain(std::string_view host, const ProtectedSites& sites);

// The protected site that `host` is, or that it is a subdomain of
// ("www.paypal.com" names paypal.com); null for any other host. This is the
// test for a shown text that names a protected site.
const ProtectedSite* ProtectedSiteNamedBy(std::string_view host, const ProtectedSites& sites);

}  // namespace morvik
