#include "cli/command_frame.h"

#include <cstring>

namespace morvik {

int TableWidth(const Terminal& terminal) {
  constexpr int kDefaultWidth = 120;
  return terminal.width > 0 ? terminal.width : kDefaultWidth;
}

std::unique_ptr<OutputFormat> MakeOutputFormat(const Options& options, const Terminal& terminal,
                                               std::vector<TableColumn> table_columns,
                                               OutputSink& sink) {
  Format format = options.format;
  if (format == Format::Automatic) format = terminal.output ? Format::Table : Format::Tsv;
  std::unique_ptr<OutputFormat> chosen =
      format == Format::Json ? MakeJsonLinesFormat()
      : format == Format::Tsv
          ? MakeTsvFormat(terminal.output || options.escape_controls ? EscapeFor::Terminal
                                                                     : EscapeFor::Tsv)
          : MakeTableFormat(std::move(table_columns), TableWidth(terminal));
  chosen->SetSpill([&sink](Text& out) {
    if (!sink.Flush(false)) out.clear();
  });
  return chosen;
}

CommandFrame::CommandFrame(const Options& options, const Terminal& terminal,
                           std::vector<TableColumn> table_columns, bool show_progress)
    : options_(options),
      sink_(stdout),
      format_(MakeOutputFormat(options, terminal, std::move(table_columns), sink_)),
      flush_each_record_(terminal.output || terminal.input),
      progress_(stderr, show_progress && terminal.errors && !terminal.output) {
  analysis_.refang = options.refang;
  analysis_.trace = options.trace;
  analysis_.defang = options.defang;
  analysis_.resolver = options.resolve ? &SystemResolver() : nullptr;
  describing_.defang = options.defang;
  describing_.trace = options.trace;
}

void CommandFrame::Begin() { format_->Begin(record_, sink_.buffer()); }

bool CommandFrame::WriteRecord() {
  format_->Write(record_, sink_.buffer());
  return sink_.Flush(flush_each_record_);
}

bool CommandFrame::WriteLine(const Text& line) {
  sink_.buffer() += line;
  return sink_.Flush(true);
}

void CommandFrame::Complain(const Text& message) {
  Note(message);
  status_ = 1;
}

void CommandFrame::Note(const Text& message) {
  sink_.Flush(true);  // what came before the trouble is shown before it
  progress_.Finish();
  std::fprintf(stderr, "morvik-cli: %s\n", message.c_str());
}

void CommandFrame::ComplainCannotRead(std::string_view name, int error_number) {
  Complain("cannot read '" + Printable(name) + "': " + std::strerror(error_number));
}

int CommandFrame::Finish() {
  sink_.Flush(true);
  progress_.Finish();
  if (sink_.state() == OutputSink::State::Failed) {
    Complain(Text("cannot write the output: ") + std::strerror(sink_.error_number()));
  }
  return status_;
}

}  // namespace morvik
