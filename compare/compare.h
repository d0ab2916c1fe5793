#pragma once
// Do the window and a browser send the user to the same place? And when not,
// what in the URL made them part ways.

#include <string_view>
#include <vector>

#include "browser/reading.h"
#include "compare/window_reading.h"
#include "support/host_resolver.h"

namespace morvik {

struct Comparison {
  bool same = false;
  // Short fixed phrases ("octal part", "first @ vs last @", ...), in a fixed
  // order; empty when the readings agree, unless the name is a look-alike
  // ("mixed scripts", ...), which is always given, last.
  std::vector<const char*> reasons;
};

// `resolver` is the one the window used, if any; with it a browser's name is
// looked up too, so that two names for one address count as the same place.
Comparison CompareReadings(std::string_view url, const WindowReading& window,
                           const BrowserReading& browser, const HostResolver* resolver);

}  // namespace morvik
