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
  Suffix,    // "uk", "co.uk": a suffix of a site (what follows its first label) or its end
  Skeleton,  // the site's look-alike skeleton
  Label,     // "paypal": the site's first label
  NearLabel  // a first label of five letters or more, and it less one letter
};

class KeyPiece;

// The hash of a key, taken a piece at a time: a polynomial in the key's
// characters, so that the hash of a text less one character follows from
// those of the parts before and after it (see ForEachNearLabelKey).
class KeyHash {
 public:
  explicit KeyHash(SiteKey kind) : sum_(static_cast<std::uint64_t>(kind) + 1) {}
  void Add(char c) { sum_ = sum_ * kBase + static_cast<unsigned char>(c); }
  void Add(std::string_view text) {
    for (const char c : text) Add(c);
  }
  inline void Add(const KeyPiece& piece);
  std::uint64_t value() const { return Finish(sum_); }

  static constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ULL;  // odd: it has an inverse
  // The sum spread over all 64 bits: the table takes its slot from the top
  // ones, which a change of the last character alone would hardly touch.
  static std::uint64_t Finish(std::uint64_t sum) {
    const std::uint64_t key = sum * 0xD6E8FEB86659FD93ULL;
    return key == 0 ? 1 : key;  // 0 marks an empty slot
  }

 private:
  std::uint64_t sum_;
};

// A short text's part in a key, added in one step whatever its length: a
// character's skeleton ("rn" of "m").
class KeyPiece {
 public:
  KeyPiece() = default;
  explicit KeyPiece(std::string_view text) {
    for (const char c : text) {
      scale_ *= KeyHash::kBase;
      sum_ = sum_ * KeyHash::kBase + static_cast<unsigned char>(c);
    }
  }

 private:
  friend class KeyHash;
  std::uint64_t scale_ = 1;  // kBase to the power of the text's length
  std::uint64_t sum_ = 0;
};

inline void KeyHash::Add(const KeyPiece& piece) { sum_ = sum_ * piece.scale_ + piece.sum_; }

std::uint64_t HashKey(SiteKey kind, std::string_view text);
// Of `text` read from its end: what a host's suffixes are hashed by, all in
// one pass from the host's end.
std::uint64_t HashKeyBackwards(SiteKey kind, std::string_view text);

// Calls `visit(key)` with the NearLabel key of `label`, then with that of
// `label` less its first character, less its second, ..., and stops when
// it returns true. Each key costs a few multiplications, not a pass over
// the label. Measured worth: 0.7 % of the whole program's instructions
// (callgrind, 20,000 URLs).
template <typename Visit>
void ForEachNearLabelKey(std::string_view label, const Visit& visit) {
  // The sum of label[i..] is the sum of label[i+1..] plus label[i] times
  // kBase to the power of the characters after it; going forward, that
  // power shrinks by the inverse of kBase.
  constexpr std::uint64_t kInverse = [] {
    // An odd number is its own inverse in the lowest 3 bits; each step
    // doubles the bits that are right.
    std::uint64_t inverse = KeyHash::kBase;
    for (int i = 0; i < 5; ++i) inverse *= 2 - KeyHash::kBase * inverse;
    return inverse;
  }();
  static_assert(kInverse * KeyHash::kBase == 1);
  const std::uint64_t seed = static_cast<std::uint64_t>(SiteKey::NearLabel) + 1;
  std::uint64_t rest = 0;   // of label[i..]
  std::uint64_t power = 1;  // kBase to the power of label.size() - i
  for (const char c : label) {
    rest = rest * KeyHash::kBase + static_cast<unsigned char>(c);
    power *= KeyHash::kBase;
  }
  if (visit(KeyHash::Finish(seed * power + rest))) return;
  std::uint64_t before = seed;  // the sum of the seed and label[..i]
  for (const char c : label) {
    power *= kInverse;
    rest -= static_cast<unsigned char>(c) * power;
    if (visit(KeyHash::Finish(before * power + rest))) return;
    before = before * KeyHash::kBase + static_cast<unsigned char>(c);
  }
}

class SiteKeys {
 public:
  void Add(std::uint64_t key, std::uint32_t site);
  // Made once every key is added; lookups before find nothing.
  void Build();

  // Calls `visit(site)` for each site added under `key`, in the order they
  // were added; stops when it returns true, and returns whether one did.
  template <typename Visit>
  bool Find(std::uint64_t key, const Visit& visit) const {
    if (slots_.empty()) return false;
    for (std::size_t at = key >> slot_shift_;; at = (at + 1) & mask_) {
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
  std::size_t mask_ = 0;
  unsigned slot_shift_ = 63;  // a key's first slot: its top bits
};

}  // namespace morvik
