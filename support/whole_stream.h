#pragma once
// The rest of a stream, held whole up to a limit.

#include <cstddef>
#include <cstdio>

#include "support/text.h"

namespace morvik {

enum class WholeRead { Read, TooLong, Failed };

// Appends the rest of `stream` to `bytes`, at most `limit` bytes in all:
// TooLong beyond it, Failed on a read error (errno says why).
WholeRead ReadWhole(std::FILE* stream, std::size_t limit, Text& bytes);

}  // namespace morvik
