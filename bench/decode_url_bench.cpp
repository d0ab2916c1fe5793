// Throughput of percent-escape decoding: the one-pass decoder against the
// literal rescanning loop, with libcurl's single-pass unescape and a plain
// memcpy of the same bytes as yardsticks.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/url_corpus.h"
#include "tests/url/reference_escape_decoder.h"
#include "url/decode_url.h"

namespace morvik::bench {
namespace {

using Inputs = std::vector<Text>;
using Decoder = void (*)(const Text&);

constexpr std::size_t kKibibyte = 1024;
constexpr std::size_t kMebibyte = 1024 * kKibibyte;

void ReferenceLoop(const Text& text) {
  benchmark::DoNotOptimize(testing::ReferenceDecodePercentEscapes(text));
}

void OnePass(const Text& text) { benchmark::DoNotOptimize(DecodePercentEscapes(text)); }

// Scheme, user part, escapes and the numeric host together.
void WholeDecodeUrl(const Text& text) { benchmark::DoNotOptimize(DecodeUrl(text)); }

void CurlUnescape(const Text& text) {
  static CURL* const curl = curl_easy_init();
  int length = 0;
  char* decoded = curl_easy_unescape(curl, text.data(), static_cast<int>(text.size()), &length);
  benchmark::DoNotOptimize(decoded);
  curl_free(decoded);
}

void Memcpy(const Text& text) {
  static std::vector<char> buffer(2 * kMebibyte);
  std::memcpy(buffer.data(), text.data(), text.size());
  benchmark::ClobberMemory();
}

void Decode(benchmark::State& state, const Inputs& inputs, Decoder decode) {
  std::int64_t bytes = 0;
  for (const Text& input : inputs) bytes += static_cast<std::int64_t>(input.size());
  for (auto _ : state) {
    for (const Text& input : inputs) decode(input);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["input_bytes"] = static_cast<double>(bytes);
}

struct Row {
  const char* name;
  Decoder decode;
};

// `inputs` must outlive the run; it is shared by its rows, not copied.
void Register(const std::string& workload, const Inputs& inputs, std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    const Decoder decode = row.decode;
    const auto run = [&inputs, decode](benchmark::State& state) { Decode(state, inputs, decode); };
    benchmark::RegisterBenchmark((workload + "/" + row.name).c_str(), run)
        ->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace
}  // namespace morvik::bench

int main(int argc, char** argv) {
  using namespace morvik::bench;
  curl_global_init(CURL_GLOBAL_DEFAULT);

  static const Inputs realistic = RealisticUrls(100000);
  static const Inputs nested_32k{NestedEscapes(32 * kKibibyte)};
  static const Inputs nested_256k{NestedEscapes(256 * kKibibyte)};
  static const Inputs nested_1m{NestedEscapes(kMebibyte)};
  static const Inputs escape_heavy_1m{EscapeHeavyUrl(kMebibyte)};

  const Row reference{"reference", ReferenceLoop};
  const Row one_pass{"one_pass", OnePass};
  const Row curl{"curl_easy_unescape", CurlUnescape};
  const Row copy{"memcpy", Memcpy};

  Register("realistic_100k_urls",
           realistic,
           {reference, one_pass, {"DecodeUrl", WholeDecodeUrl}, curl, copy});
  Register("nested_32KiB", nested_32k, {reference, one_pass, curl, copy});
  // The rescanning loop needs one pass over the text per nesting level: about
  // a second at 256 KiB, and some 16 times that at 1 MiB, so it stops here.
  Register("nested_256KiB", nested_256k, {reference, one_pass});
  Register("nested_1MiB", nested_1m, {one_pass, curl, copy});
  Register("escape_heavy_1MiB", escape_heavy_1m, {reference, one_pass, curl, copy});

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  curl_global_cleanup();
  return 0;
}
