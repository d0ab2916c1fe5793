#include "cli/url_report.h"

#include "cli/refang.h"

namespace morvik {

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options) {
  UrlReport report;
  report.url = options.refang ? Refang(input) : Text(input);
  report.window = ReadAsWindow(report.url, options.resolver);
  report.browser = ReadAsBrowser(report.url);
  report.comparison = CompareReadings(report.url, report.window, report.browser, options.resolver);
  if (options.trace) report.trace = TraceWindowDecoding(report.url);
  return report;
}

}  // namespace morvik
