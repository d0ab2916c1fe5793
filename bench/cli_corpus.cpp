// Writes the benchmark corpus of morvik-cli to standard output: the
// realistic URLs of the decoding benchmarks, one per line.
//
//   cli_corpus --urls N    the first N URLs
//   cli_corpus --bytes N   the first million URLs, repeated until N bytes
//                          (to stream a corpus far larger than memory)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/url_corpus.h"

namespace {

constexpr std::size_t kDistinctUrls = 1000000;

bool WriteAll(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

std::string Lines(const std::vector<morvik::Text>& urls) {
  std::string lines;
  for (const morvik::Text& url : urls) {
    lines += url;
    lines += '\n';
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "--urls") != 0 && std::strcmp(argv[1], "--bytes") != 0)) {
    std::fputs("usage: cli_corpus --urls N | --bytes N\n", stderr);
    return 2;
  }
  const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
  if (std::strcmp(argv[1], "--urls") == 0) {
    return WriteAll(Lines(morvik::bench::RealisticUrls(count))) ? 0 : 1;
  }
  const std::string block = Lines(morvik::bench::RealisticUrls(kDistinctUrls));
  for (unsigned long long written = 0; written < count; written += block.size()) {
    const std::size_t part =
        static_cast<std::size_t>(std::min<unsigned long long>(block.size(), count - written));
    if (std::fwrite(block.data(), 1, part, stdout) != part) return 1;
  }
  return 0;
}
