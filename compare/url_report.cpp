#include "compare/url_report.h"

#include "support/refang.h"

namespace morvik {

namespace {

// The steps of the analysis, in their order; each reads what the steps
// before it made. The report's texts are its own or the input's, so the
// URL may point into the report (the refanged text) as it is filled in.

void Start(std::string_view input, const UrlAnalysisOptions& options, UrlReport& report) {
  report.input = input;
  report.refanged.reset();
  if (options.refang) report.refanged = Refang(input);
  report.trace.clear();
  if (options.trace) report.trace = TraceWindowDecoding(report.url());
}

void TakeBrowserReading(const UrlAnalysisOptions& options, UrlReport& report) {
  report.browser =
      ReadAsBrowser(report.url(), options.sites != nullptr ? *options.sites : PopularSites());
}

void TakeWindowReading(const UrlAnalysisOptions& options, UrlReport& report) {
  report.window = ReadAsWindow(report.url(), options.resolver);
}

void CompareTheReadings(const UrlAnalysisOptions& options, UrlReport& report) {
  report.comparison =
      CompareReadings(report.url(), report.window, report.browser, options.resolver);
}

void NameTheDisguises(const UrlAnalysisOptions& options, UrlReport& report) {
  report.disguises = FindDisguises({.url = report.url(), .browser = report.browser});
  if (options.defang) {
    for (TraceStep& step : report.trace) step.text = DefangUrl(step.text);
    for (Disguise& disguise : report.disguises.found) disguise.detail = DefangUrl(disguise.detail);
  }
}

constexpr void (*kSteps[])(const UrlAnalysisOptions&, UrlReport&) = {
    TakeBrowserReading, TakeWindowReading, CompareTheReadings, NameTheDisguises};

}  // namespace

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options) {
  UrlReport report;
  Start(input, options, report);
  for (const auto step : kSteps) step(options, report);
  return report;
}

void AnalyseUrls(std::span<const std::string_view> inputs, const UrlAnalysisOptions& options,
                 std::span<UrlReport> reports) {
  for (std::size_t i = 0; i < inputs.size(); ++i) Start(inputs[i], options, reports[i]);
  for (const auto step : kSteps) {
    for (std::size_t i = 0; i < inputs.size(); ++i) step(options, reports[i]);
  }
}

}  // namespace morvik
