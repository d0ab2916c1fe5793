// Writes the benchmark corpus of morvik-cli to standard output: the
// realistic URLs of the decoding benchmarks, one per line.
//
//   cli_corpus --urls N    the first N URLs
//   cli_corpus --bytes N   the first million URLs, repeated until N bytes
//                          (to stream a corpus far larger than memory)
//   cli_corpus --urls N --idn P
//                          the same, with P in every 100 URLs (the first P of
//                          each hundred) going to an internationalised name

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "bench/url_corpus.h"

namespace {

constexpr std::size_t kDistinctUrls = 1000000;

bool WriteAll(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

// Names in several scripts, plain and look-alike, made distinct by a number.
constexpr const char* kIdnNames[] = {"b\u00FCcher",
                                     "m\xC3\xBCller-shop",
                                     "stra\u00DFe",
                                     "caf\xC3\xA9",
                                     "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80",
                                     "\xD0\xB0\xD1\x80\xD1\x80\xD3\x8F\xD0\xB5",
                                     "\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1",
                                     "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                     "p\xD0\xB0yp\xD0\xB0l",
                                     "xn--pple-43d"};
constexpr const char* kIdnTopLevel[] = {"de", "com", "\xD1\x80\xD1\x84", "gr", "jp"};

std::string IdnUrl(std::size_t index) {
  return "http://" + std::string(kIdnNames[index % std::size(kIdnNames)]) + "-" +
         std::to_string(index % 997) + "." + kIdnTopLevel[index % std::size(kIdnTopLevel)] +
         "/login?id=" + std::to_string(index) + "\n";
}

std::string Lines(const std::vector<morvik::Text>& urls, unsigned idn_percent = 0) {
  std::string lines;
  for (std::size_t i = 0; i < urls.size(); ++i) {
    if (i % 100 < idn_percent) {
      lines += IdnUrl(i);
      continue;
    }
    lines += urls[i];
    lines += '\n';
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const bool idn =
      argc == 5 && std::strcmp(argv[1], "--urls") == 0 && std::strcmp(argv[3], "--idn") == 0;
  if ((argc != 3 && !idn) ||
      (std::strcmp(argv[1], "--urls") != 0 && std::strcmp(argv[1], "--bytes") != 0)) {
    std::fputs("usage: cli_corpus --urls N [--idn PERCENT] | --bytes N\n", stderr);
    return 2;
  }
  const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
  if (std::strcmp(argv[1], "--urls") == 0) {
    const unsigned idn_percent =
        idn ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)) : 0;
    return WriteAll(Lines(morvik::bench::RealisticUrls(count), idn_percent)) ? 0 : 1;
  }
  const std::string block = Lines(morvik::bench::RealisticUrls(kDistinctUrls));
  for (unsigned long long written = 0; written < count; written += block.size()) {
    const std::size_t part =
        static_cast<std::size_t>(std::min<unsigned long long>(block.size(), count - written));
    if (std::fwrite(block.data(), 1, part, stdout) != part) return 1;
  }
  return 0;
}
