#pragma once
// The URL command and `convert`: every input line through its analysis into
// the chosen output format.

#include "cli/command_frame.h"
#include "cli/options.h"

namespace morvik {

// Returns the exit status: 0, or 1 when an input could not be read (or the
// output failed for a reason other than its reader going away).
int Run(const Options& options, const Terminal& terminal);

}  // namespace morvik
