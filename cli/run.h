#pragma once
// The URL command and `convert`: every input line through its analysis into
// the chosen output format.

#include "browser/protected_sites.h"
#include "cli/command_frame.h"
#include "cli/options.h"

namespace morvik {

// Returns the exit status: 0, or 1 when an input could not be read (or the
// output failed for a reason other than its reader going away). Look-alikes
// of `sites` are flagged.
int Run(const Options& options, const Terminal& terminal, const ProtectedSites& sites);

}  // namespace morvik
