#include "browser/site_keys.h"

namespace morvik {
namespace {

constexpr std::uint64_t kOffset = 14695981039346656037ULL;
constexpr std::uint64_t kPrime = 1099511628211ULL;

// FNV-1a, begun with the kind; never 0, which marks an empty slot.
std::uint64_t Mix(std::uint64_t hash, unsigned char byte) { return (hash ^ byte) * kPrime; }
std::uint64_t NotZero(std::uint64_t hash) { return hash == 0 ? 1 : hash; }

}  // namespace

std::uint64_t HashKey(SiteKey kind, std::string_view text) {
  std::uint64_t hash = Mix(kOffset, static_cast<unsigned char>(kind));
  for (const char c : text) hash = Mix(hash, static_cast<unsigned char>(c));
  return NotZero(hash);
}

std::uint64_t HashKeyWithout(SiteKey kind, std::string_view text, std::size_t skipped) {
  std::uint64_t hash = Mix(kOffset, static_cast<unsigned char>(kind));
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != skipped) hash = Mix(hash, static_cast<unsigned char>(text[i]));
  }
  return NotZero(hash);
}

void SiteKeys::Add(std::uint64_t key, std::uint32_t site) { pending_.push_back({key, site}); }

void SiteKeys::Build() {
  // At most half full: a miss ends at an empty slot within a probe or two.
  std::size_t size = 16;
  while (size < pending_.size() * 2) size *= 2;
  slots_.assign(size, Slot{});
  const std::size_t mask = size - 1;
  for (const Slot& added : pending_) {
    std::size_t at = added.key & mask;
    while (slots_[at].key != 0) at = (at + 1) & mask;
    slots_[at] = added;
  }
  pending_.clear();
  pending_.shrink_to_fit();
}

}  // namespace morvik
