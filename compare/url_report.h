#pragma once
// Everything the program says about one URL: the window's reading, the
// browser's, and whether they agree.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "browser/reading.h"
#include "compare/compare.h"
#include "compare/disguises.h"
#include "compare/trace.h"
#include "compare/window_reading.h"
#include "support/host_resolver.h"

namespace morvik {

struct UrlAnalysisOptions {
  bool refang = false;
  bool trace = false;
  bool defang = false;                     // trace texts and disguises written defanged
  const HostResolver* resolver = nullptr;  // null: no name is looked up
  const ProtectedSites* sites = nullptr;   // whose look-alikes are flagged; null: the popular ones
};

struct UrlReport {
  // The URL as read: the input, or with --refang the refanged text. The
  // report points into the input, which must outlive it.
  std::string_view url() const { return refanged ? std::string_view(*refanged) : input; }

  // In the order they are made (see AnalyseUrl).
  std::string_view input;
  std::optional<Text> refanged;  // with --refang only
  std::vector<TraceStep> trace;  // with --trace only
  BrowserReading browser;
  WindowReading window;
  Comparison comparison;
  LinkDisguises disguises;
};

UrlReport AnalyseUrl(std::string_view input, const UrlAnalysisOptions& options);

// The same for many URLs, `reports[i]` for `inputs[i]` (`reports` holds at
// least as many; earlier contents are replaced). Each step of the analysis
// is taken for every URL before the next step: the code of one step stays
// in the processor's instruction cache, where that of all steps for one URL
// would not. Measured worth: 10 % of the whole program's CPU time (cli_bench,
// 1,000,000 URLs).
void AnalyseUrls(std::span<const std::string_view> inputs, const UrlAnalysisOptions& options,
                 std::span<UrlReport> reports);

}  // namespace morvik
