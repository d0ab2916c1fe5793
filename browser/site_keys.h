#pragma once
// Keys of protected sites (their names, skeletons, suffixes, ...) and the
// sites they lead to, in one hash table: a host is looked up by a handful of
// 64-bit hashes, each almost always a miss that costs one probe. Equal
// hashes are candidates only; callers compare the texts.

#include <cstdint>
#include <string_view>
#include <vector>

namespace morvik {

enum class SiteKey : std::uint8_t {
  Domain,    // "paypal.com"
  Suffix,    // "com", "co.uk": what follows a site's first label
  Skeleton,  // the site's look-alike skeleton
  Label,     // "paypal": the site's first label
  NearLabel  // a first label of five letters or more, and it less one letter
};

// The hash of a key, taken a piece at a time.
class KeyHash {
 public:
  explicit KeyHash(SiteKey kind);
  void Add(char c) { hash_ = (hash_ ^ static_cast<unsigned char>(c)) * kPrime; }
  void Add(std::string_view text) {
    for (const char c : text) Add(c);
  }
  std::uint64_t value() const { return hash_ == 0 ? 1 : hash_; }  // 0 marks an empty slot

 private:
  static constexpr std::uint64_t kPrime = 1099511628211ULL;  // FNV-1a
  std::uint64_t hash_;
};

std::uint64_t HashKey(SiteKey kind, std::string_view text);
// The same for `text` without its character at `skipped`.
std::uint64_t HashKeyWithout(SiteKey kind, std::string_view text, std::size_t skipped);
// Of `text` read from its end: what a host's suffixes are hashed by, all in
// one pass from the host's end.
std::uint64_t HashKeyBackwards(SiteKey kind, std::string_view text);

class SiteKeys {
 public:
  void Add(std::uint64_t key, std::uint32_t site);
  // Made once every key is added; lookups before find nothing.
  void Build();

  // Calls `visit(site)` for each site added under `key`; stops when it
  // returns true, and returns whether one did.
  template <typename Visit>
  bool Find(std::uint64_t key, const Visit& visit) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = key & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.key == 0) return false;
      if (slot.key == key && visit(slot.site)) return true;
    }
  }

 private:
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    std::uint32_t site = 0;
  };
  std::vector<Slot> pending_;
  std::vector<Slot> slots_;
};

}  // namespace morvik
