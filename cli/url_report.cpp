#include "cli/url_report.h"

#include "cli/refang.h"

namespace morvik {

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options) {
  UrlReport report;
  report.input = input;
  if (options.refang) report.refanged = Refang(input);
  const std::string_view url = report.url();
  report.window = ReadAsWindow(url, options.resolver);
  report.browser = ReadAsBrowser(url);
  report.comparison = CompareReadings(url, report.window, report.browser, options.resolver);
  if (options.trace) report.trace = TraceWindowDecoding(Text(url));
  return report;
}

}  // namespace morvik
