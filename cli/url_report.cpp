#include "cli/url_report.h"

#include "cli/refang.h"

namespace morvik {

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options) {
  std::optional<Text> refanged;
  if (options.refang) refanged = Refang(input);
  const std::string_view url = refanged ? std::string_view(*refanged) : input;
  // The readings are built in place; they hold their own texts, so `url`
  // may point into `refanged` until the report takes it over.
  UrlReport report{
      .input = input,
      .refanged = std::nullopt,
      .window = ReadAsWindow(url, options.resolver),
      .browser = ReadAsBrowser(url),
      .comparison = {},
      .trace = {},
  };
  report.comparison = CompareReadings(url, report.window, report.browser, options.resolver);
  if (options.trace) report.trace = TraceWindowDecoding(Text(url));
  report.refanged = std::move(refanged);
  return report;
}

}  // namespace morvik
