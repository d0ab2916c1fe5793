#include "cli/brands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "browser/site_list.h"
#include "cli/platform.h"

namespace morvik {
namespace {

class InputFile {
 public:
  explicit InputFile(const Text& path) : stream_(OpenInputFile(path)) {}
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() {
    if (stream_ != nullptr) std::fclose(stream_);
  }
  std::FILE* get() const { return stream_; }

 private:
  std::FILE* stream_;
};

// The whole file, or nothing with errno set.
std::optional<Text> ReadWhole(const Text& path) {
  const InputFile file(path);
  if (file.get() == nullptr) return std::nullopt;
  Text text;
  char buffer[1 << 16];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, read);
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return text;
}

}  // namespace

Text BrandsFile(const Options& options, const char* environment) {
  if (!options.brands_file.empty()) return options.brands_file;
  return environment == nullptr ? Text() : Text(environment);
}

LoadedBrands LoadBrands(const Text& file) {
  LoadedBrands loaded;
  if (file.empty()) return loaded;
  errno = 0;
  const std::optional<Text> text = ReadWhole(file);
  if (!text) {
    loaded.error = "cannot read the brands file " + file + ": " +
                   (errno != 0 ? std::strerror(errno) : "read error");
    return loaded;
  }
  const SiteList brands = ReadSiteList(*text);
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
