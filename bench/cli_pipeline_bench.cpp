// Where the time of morvik-cli goes, stage by stage, on the realistic URLs of
// the decoding benchmarks: the window's reading (with DecodeUrl alone as its
// floor), the browser's reading, the comparison, and writing TSV and JSON.
// The whole program, with reading and writing, is measured by cli_bench.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/url_corpus.h"
#include "compare/url_report.h"
#include "report/output_format.h"
#include "report/url_record.h"
#include "url/decode_url.h"

namespace morvik::bench {
namespace {

const std::vector<Text>& Urls() {
  static const std::vector<Text> urls = RealisticUrls(100000);
  return urls;
}

std::int64_t TotalBytes() {
  std::int64_t bytes = 0;
  for (const Text& url : Urls()) bytes += static_cast<std::int64_t>(url.size());
  return bytes;
}

template <typename Stage>
void RunStage(benchmark::State& state, Stage stage) {
  for (auto _ : state) {
    for (const Text& url : Urls()) stage(url);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Urls().size()));
}

void DecodeUrlOnly(benchmark::State& state) {
  RunStage(state, [](const Text& url) { benchmark::DoNotOptimize(DecodeUrl(url)); });
}

void WindowReading(benchmark::State& state) {
  RunStage(state, [](const Text& url) { benchmark::DoNotOptimize(ReadAsWindow(url, nullptr)); });
}

void BrowserReading(benchmark::State& state) {
  RunStage(state, [](const Text& url) { benchmark::DoNotOptimize(ReadAsBrowser(url)); });
}

void Analysis(benchmark::State& state) {
  RunStage(state, [](const Text& url) { benchmark::DoNotOptimize(AnalyseUrl(url, {})); });
}

void AnalysisAndOutput(benchmark::State& state, std::unique_ptr<OutputFormat> format) {
  Record record;
  Text out;
  RunStage(state, [&](const Text& url) {
    const UrlReport report = AnalyseUrl(url, {});
    DescribeUrlReport("-", 1, report, {}, record);
    format->Write(record, out);
    if (out.size() > 65536) out.clear();
  });
}

BENCHMARK(DecodeUrlOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BrowserReading)->Unit(benchmark::kMillisecond);
BENCHMARK(Analysis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalysisAndOutput, tsv, MakeTsvFormat())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalysisAndOutput, json, MakeJsonLinesFormat())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvik::bench

BENCHMARK_MAIN();
