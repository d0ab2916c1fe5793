#include "compare/url_report.h"

#include "support/refang.h"

namespace morvik {

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options) {
  std::optional<Text> refanged;
  if (options.refang) refanged = Refang(input);
  const std::string_view url = refanged ? std::string_view(*refanged) : input;
  // The readings are built in place; they hold their own texts, so `url`
  // may point into `refanged` until the report takes it over. The trace
  // keeps short texts only, and comes first: the copies it makes of a long
  // line are gone before the readings make theirs. So does the browser's
  // reading, whose copies are gone before the window's are made.
  UrlReport report{
      .input = input,
      .refanged = std::nullopt,
      .trace = options.trace ? TraceWindowDecoding(url) : std::vector<TraceStep>{},
      .browser = ReadAsBrowser(url),
      .window = ReadAsWindow(url, options.resolver),
      .comparison = {},
      .disguises = {},
  };
  report.comparison = CompareReadings(url, report.window, report.browser, options.resolver);
  report.disguises = FindDisguises({.url = url, .browser = report.browser});
  report.refanged = std::move(refanged);
  if (options.defang) {
    for (TraceStep& step : report.trace) step.text = DefangUrl(step.text);
    for (Disguise& disguise : report.disguises.found) disguise.detail = DefangUrl(disguise.detail);
  }
  return report;
}

}  // namespace morvik
