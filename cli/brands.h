#pragma once
// The analyst's own sites to protect (--brands FILE, or the file that the
// MORVIK_BRANDS environment variable names), added to the popular sites.

#include <memory>

#include "browser/protected_sites.h"
#include "cli/options.h"
#include "support/text.h"

namespace morvik {

// The file to read: --brands, else `environment` (MORVIK_BRANDS, may be
// null); empty for none.
Text BrandsFile(const Options& options, const char* environment);

struct LoadedBrands {
  // The popular sites and the file's; null when there is no file (the
  // popular sites alone) or on an error.
  std::unique_ptr<const ProtectedSites> sites;
  // "FILE:LINE: what is wrong", or why the file could not be read; empty
  // when it was read.
  Text error;
};

LoadedBrands LoadBrands(const Text& file);

}  // namespace morvik
