#pragma once
// Inputs for the URL decoding benchmarks. Every generator uses a fixed seed,
// so each run measures the same bytes.

#include <cstddef>
#include <vector>

#include "support/text.h"

namespace morvik::bench {

// URLs of the kind the tool is pasted: decoy user parts, hosts written as
// decimal numbers, dotted text or names (some escaped), ports, escaped paths
// and queries.
std::vector<Text> RealisticUrls(std::size_t count);

// "%" followed by "25" repeated and a final "41", `size` bytes long: every
// "%25" decodes to a "%" that starts the next escape, down to a single "A".
Text NestedEscapes(std::size_t size);

// One URL of about `size` bytes whose path is dense with escapes of every
// byte value in both letter cases.
Text EscapeHeavyUrl(std::size_t size);

}  // namespace morvik::bench
