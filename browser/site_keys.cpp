#include "browser/site_keys.h"

#include <algorithm>
#include <bit>

namespace morvik {

std::uint64_t HashKey(SiteKey kind, std::string_view text) {
  KeyHash hash(kind);
  hash.Add(text);
  return hash.value();
}

std::uint64_t HashKeyWithout(SiteKey kind, std::string_view text, std::size_t skipped) {
  KeyHash hash(kind);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != skipped) hash.Add(text[i]);
  }
  return hash.value();
}

std::uint64_t HashKeyBackwards(SiteKey kind, std::string_view text) {
  KeyHash hash(kind);
  for (std::size_t i = text.size(); i-- > 0;) hash.Add(text[i]);
  return hash.value();
}

void SiteKeys::Add(std::uint64_t key, std::uint32_t site) { pending_.push_back({key, site}); }

void SiteKeys::Build() {
  // A site under one key once ("google" less either "o" is one key).
  std::sort(pending_.begin(), pending_.end(), [](const Slot& a, const Slot& b) {
    return a.key != b.key ? a.key < b.key : a.site < b.site;
  });
  pending_.erase(
      std::unique(pending_.begin(),
                  pending_.end(),
                  [](const Slot& a, const Slot& b) { return a.key == b.key && a.site == b.site; }),
      pending_.end());
  // At most half full: a miss ends at an empty slot within a probe or two.
  std::size_t size = 16;
  while (size < pending_.size() * 2) size *= 2;
  slots_.assign(size, Slot{});
  mask_ = size - 1;
  slot_shift_ = 64 - static_cast<unsigned>(std::countr_zero(size));
  for (const Slot& added : pending_) {
    std::size_t at = added.key >> slot_shift_;
    while (slots_[at].key != 0) at = (at + 1) & mask_;
    slots_[at] = added;
  }
  pending_.clear();
  pending_.shrink_to_fit();
}

}  // namespace morvik
