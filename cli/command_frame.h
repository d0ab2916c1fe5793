#pragma once
// What the URL command and `scan` share: the output (sink, format, when
// records are handed over), the analysis options, and complaints on standard
// error with the exit status they make.

#include <cstdio>
#include <memory>
#include <vector>

#include "cli/options.h"
#include "cli/output_sink.h"
#include "cli/progress.h"
#include "compare/url_report.h"
#include "report/output_format.h"
#include "report/text_escape.h"
#include "report/url_record.h"

namespace morvik {

struct Terminal {
  bool output = false;  // standard output is a terminal
  bool errors = false;  // standard error is a terminal
  bool input = false;   // standard input is a terminal
  int width = 0;        // columns of the output terminal, 0 when unknown
};

// The width a table is made for: the terminal's, or 120 columns when it is
// not known.
int TableWidth(const Terminal& terminal);

// The format the options ask for; without one, a table of `table_columns`
// as wide as the terminal on a terminal, TSV elsewhere. TSV on a terminal
// (or with --escape-controls) shows hidden characters as "<U+202E>". A long
// line goes out to `sink` while it is written; once the output is gone, the
// rest of the line is dropped.
std::unique_ptr<OutputFormat> MakeOutputFormat(const Options& options, const Terminal& terminal,
                                               std::vector<TableColumn> table_columns,
                                               OutputSink& sink);

class CommandFrame {
 public:
  // A progress line is drawn only with `show_progress`, and only where a
  // person watches standard error without the results.
  CommandFrame(const Options& options, const Terminal& terminal,
               std::vector<TableColumn> table_columns, bool show_progress);

  const Options& options() const { return options_; }
  UrlAnalysisOptions& analysis() { return analysis_; }
  const UrlRecordOptions& describing() const { return describing_; }
  Record& record() { return record_; }
  Progress& progress() { return progress_; }

  // The header, from a record of the shape every line has.
  void Begin();
  // Writes the record; false once the output is gone and going on is
  // pointless. A person reading along gets each record at once.
  bool WriteRecord();
  // Text of its own (a summary line) after the records, shown at once.
  bool WriteLine(const Text& line);

  // "morvik-cli: <message>" on standard error, after the output so far;
  // the exit status becomes 1.
  void Complain(const Text& message);
  // The same, for what did not keep the input from being read (a repair, a
  // charset taken for another): the exit status stays.
  void Note(const Text& message);
  // "cannot read '<name>': <the system's reason>".
  void ComplainCannotRead(std::string_view name, int error_number);

  // Hands over what is left; returns the exit status: 0, or 1 after a
  // complaint or when the output failed for a reason other than its reader
  // going away.
  int Finish();

 private:
  const Options& options_;
  OutputSink sink_;
  std::unique_ptr<OutputFormat> format_;
  bool flush_each_record_;
  Progress progress_;
  UrlAnalysisOptions analysis_;
  UrlRecordOptions describing_;
  Record record_;
  int status_ = 0;
};

}  // namespace morvik
