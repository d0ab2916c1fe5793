#pragma once
// The program's work after the command line is parsed: every input line
// through its analysis into the chosen output format.

#include <cstdio>

#include "cli/options.h"

namespace morvik {

struct Terminal {
  bool output = false;  // standard output is a terminal
  bool errors = false;  // standard error is a terminal
  bool input = false;   // standard input is a terminal
  int width = 0;        // columns of the output terminal, 0 when unknown
};

// Returns the exit status: 0, or 1 when an input could not be read (or the
// output failed for a reason other than its reader going away).
int Run(const Options& options, const Terminal& terminal);

}  // namespace morvik
