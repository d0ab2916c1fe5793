// The analyst's brands list: reading and indexing 100,000 names (the
// target: under a second), and the cost of the look-alike checks for one
// plain ASCII host against the popular sites alone and with those names.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "browser/protected_sites.h"
#include "browser/site_list.h"
#include "browser/site_lookalike.h"

namespace morvik::bench {
namespace {

constexpr int kBrands = 100000;

// Names like a company's list: words and numbers under a few suffixes,
// with comments and blank lines among them.
std::string BrandsText(int count) {
  static const char* const kSuffixes[] = {"com", "net", "co.uk", "de", "com.br", "org"};
  static const char* const kWords[] = {"secure", "bank", "shop", "mail", "cloud", "pay", "trust"};
  std::string text = "# generated brands\n";
  char line[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(line,
                  sizeof line,
                  "%s%05d%s.%s\n",
                  kWords[i % 7],
                  i,
                  i % 3 == 0 ? "-group" : "",
                  kSuffixes[i % 6]);
    text += line;
    if (i % 1000 == 0) text += "\n# another department\n";
  }
  return text;
}

void LoadBrands(benchmark::State& state) {
  const std::string text = BrandsText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<ListedSite> all = PopularSiteList();
    const SiteList brands = ReadSiteList(text);
    all.insert(all.end(), brands.sites.begin(), brands.sites.end());
    const ProtectedSites sites(all);
    benchmark::DoNotOptimize(sites.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadBrands)->Arg(kBrands)->Unit(benchmark::kMillisecond);

const std::vector<std::string> kHosts = {"www.example.com",
                                         "shop.billing.com",
                                         "cdn.static.org",
                                         "mail.google.com",
                                         "login.paypal.com",
                                         "paypa1.com",
                                         "news.bbc.co.uk",
                                         "api.secure.example",
                                         "bank00042-group.de",
                                         "bank0042.de",
                                         "a.b.c.d.example",
                                         "secure00007.net"};

void CheckHosts(benchmark::State& state, const ProtectedSites& sites) {
  for (auto _ : state) {
    for (const std::string& host : kHosts)
      benchmark::DoNotOptimize(AsciiSiteLookAlike(host, sites));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kHosts.size()));
}

void AsciiHostPopularSites(benchmark::State& state) { CheckHosts(state, PopularSites()); }
BENCHMARK(AsciiHostPopularSites);

void AsciiHostWithBrands(benchmark::State& state) {
  static const ProtectedSites sites = [] {
    std::vector<ListedSite> all = PopularSiteList();
    const SiteList brands = ReadSiteList(BrandsText(kBrands));
    all.insert(all.end(), brands.sites.begin(), brands.sites.end());
    return ProtectedSites(all);
  }();
  CheckHosts(state, sites);
}
BENCHMARK(AsciiHostWithBrands);

}  // namespace
}  // namespace morvik::bench

BENCHMARK_MAIN();
