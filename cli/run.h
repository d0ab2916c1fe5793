#pragma once
// The program's work after the command line is parsed: every input line
// through its analysis into the chosen output format.

#include <cstdio>
#include <memory>
#include <vector>

#include "cli/options.h"
#include "cli/output_sink.h"
#include "report/output_format.h"

namespace morvik {

struct Terminal {
  bool output = false;  // standard output is a terminal
  bool errors = false;  // standard error is a terminal
  bool input = false;   // standard input is a terminal
  int width = 0;        // columns of the output terminal, 0 when unknown
};

// The format the options ask for; without one, a table of `table_columns`
// as wide as the terminal on a terminal, TSV elsewhere. TSV on a terminal
// (or with --escape-controls) shows hidden characters as "<U+202E>". A long line goes
// out to `sink` while it is written; once the output is gone, the rest of
// the line is dropped.
std::unique_ptr<OutputFormat> MakeOutputFormat(const Options& options, const Terminal& terminal,
                                               std::vector<TableColumn> table_columns,
                                               OutputSink& sink);

// Returns the exit status: 0, or 1 when an input could not be read (or the
// output failed for a reason other than its reader going away).
int Run(const Options& options, const Terminal& terminal);

}  // namespace morvik
