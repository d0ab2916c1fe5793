// morvik-cli: the window's reading of URLs beside a browser's, for lists of
// suspicious links.

#include <cstdio>
#include <cstdlib>

#include "cli/brands.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "cli/run.h"
#include "cli/scan_command.h"

#ifndef MORVIK_VERSION
#error "MORVIK_VERSION must be defined by the build"
#endif

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv) {
  using namespace morvik;
  PrepareStandardStreams();
  const ParsedOptions parsed = ParseOptions(CommandLineArguments(argc, argv));
  if (!parsed.options) {
    std::fprintf(stderr, "%s\n", parsed.error.c_str());
    return kUsageError;
  }
  const Options& options = *parsed.options;
  if (options.command == Command::Help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.command == Command::Version) {
    std::fputs("morvik-cli " MORVIK_VERSION "\n", stdout);
    return 0;
  }
  Terminal terminal;
  terminal.output = IsTerminal(stdout);
  terminal.errors = IsTerminal(stderr);
  terminal.input = IsTerminal(stdin);
  terminal.width = terminal.output ? TerminalWidth() : 0;
  if (terminal.width <= 0) {
    // A table asked for elsewhere is as wide as the shell says lines are.
    const char* columns = std::getenv("COLUMNS");
    terminal.width = columns != nullptr ? std::atoi(columns) : 0;
  }
  // A brands file that cannot be read whole is an error before any input:
  // a run without it would miss the look-alikes it was asked to flag.
  const LoadedBrands brands = LoadBrands(BrandsFile(options, std::getenv("MORVIK_BRANDS")));
  if (!brands.error.empty()) {
    std::fprintf(stderr, "morvik-cli: %s\n", brands.error.c_str());
    return kUsageError;
  }
  const ProtectedSites& sites = brands.sites ? *brands.sites : PopularSites();
  if (options.command == Command::Scan) return RunScan(options, terminal, sites);
  return Run(options, terminal, sites);
}
