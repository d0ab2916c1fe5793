#pragma once
// Everything the program says about one URL: the window's reading, the
// browser's, and whether they agree.

#include <optional>
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

}  // namespace morvik
