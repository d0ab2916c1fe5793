#include "cli/brands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "browser/site_list.h"
#include "cli/input_file.h"
#include "cli/platform.h"
#include "support/whole_stream.h"

namespace morvik {

Text BrandsFile(const Options& options, const char* environment) {
  if (!options.brands_file.empty()) return options.brands_file;
  return environment == nullptr ? Text() : Text(environment);
}

LoadedBrands LoadBrands(const Text& file) {
  LoadedBrands loaded;
  if (file.empty()) return loaded;
  errno = 0;
  const InputFile input(OpenInputFile(file));
  Text text;
  if (input.get() == nullptr ||
      ReadWhole(input.get(), Text().max_size(), text) != WholeRead::Read) {
    loaded.error = "cannot read the brands file " + file + ": " +
                   (errno != 0 ? std::strerror(errno) : "read error");
    return loaded;
  }
  const SiteList brands = ReadSiteList(text);
  if (brands.bad_line != 0) {
    loaded.error = file + ":" + std::to_string(brands.bad_line) + ": " + brands.error;
    return loaded;
  }
  std::vector<ListedSite> all = PopularSiteList();
  all.insert(all.end(), brands.sites.begin(), brands.sites.end());
  loaded.sites = std::make_unique<const ProtectedSites>(all);
  return loaded;
}

}  // namespace morvik
