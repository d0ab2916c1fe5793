#pragma once
// Sizes as people read them in limits and messages.

#include <cstddef>

namespace morvik {

inline constexpr std::size_t kMiB = std::size_t{1024} * 1024;

}  // namespace morvik
