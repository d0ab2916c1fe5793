// The Windows program is built without GMime and gumbo: `scan` says so.

#include <cstdio>

#include "cli/scan_command.h"

namespace morvik {

Text ScanHelp() {
  return "scan (links in e-mail and HTML) is not in this build: it is built without\n"
         "the mail and HTML libraries.\n";
}

int RunScan(const Options& /*options*/, const Terminal& /*terminal*/,
            const ProtectedSites& /*sites*/) {
  std::fputs(
      "morvik-cli: this build has no scan (it is built without the mail and HTML\n"
      "libraries); use the Linux program to scan messages and pages\n",
      stderr);
  return 2;  // as for a usage error
}

}  // namespace morvik
