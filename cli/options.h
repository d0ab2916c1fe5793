#pragma once
// The command line: what to read, what to do with it, how to write it.

#include <optional>
#include <vector>

#include "support/text.h"

namespace morvik {

enum class Command { Analyse, Convert, Scan, Help, Version };
enum class Format { Automatic, Table, Tsv, Json };

struct Options {
  Command command = Command::Analyse;
  Format format = Format::Automatic;  // a table on a terminal, TSV elsewhere
  bool refang = false;
  bool defang = false;
  bool trace = false;
  bool resolve = false;
  bool escape_controls = false;   // TSV escapes hidden characters as on a terminal
  bool all_columns = false;       // scan's table: every column, however narrow
  std::vector<Text> input_files;  // --input; "-" is standard input
  std::vector<Text> operands;     // URLs, addresses for `convert`, files for `scan`
  Text scan_as;                   // --as: what `scan` takes its inputs for; empty: told apart
  Text brands_file;               // --brands: the analyst's sites to protect; empty: none
};

struct ParsedOptions {
  std::optional<Options> options;
  Text error;  // one line naming the bad option when `options` is empty
};

// `arguments` without the program name.
ParsedOptions ParseOptions(const std::vector<Text>& arguments);

// The text of --help.
Text UsageText();

}  // namespace morvik
