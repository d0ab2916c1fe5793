#include "cli/run.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "cli/line_reader.h"
#include "cli/output_sink.h"
#include "cli/platform.h"
#include "cli/progress.h"
#include "compare/convert.h"
#include "report/conversion_record.h"
#include "report/output_format.h"
#include "report/url_record.h"

namespace morvik {
namespace {

// Longer lines are skipped (and reported): holding them would let one
// endless line take all memory.
constexpr std::size_t kLongestLineMiB = 64;
constexpr std::size_t kLongestLine = kLongestLineMiB * 1024 * 1024;
// The table's columns, for `convert` or for URLs.
std::vector<TableColumn> TableColumns(const Options& options) {
  if (options.command == Command::Convert) {
    return {{.fields = {"input"}, .header = "INPUT"},
            {.fields = {"notation"}, .header = "NOTATION", .width = 8},
            {.fields = {"dotted"}, .header = "DOTTED", .width = options.defang ? 27 : 15},
            {.fields = {"decimal"}, .header = "DECIMAL", .width = 10},
            {.fields = {"hex"}, .header = "HEX", .width = 8},
            {.fields = {"note"}, .header = "NOTE"}};
  }
  return {
      {.fields = {"url"}, .header = "URL", .shares = 3},
      {.fields = {"window_host"}, .header = "WINDOW HOST", .shares = 2},
      {.fields = {"window_dotted"}, .header = "WINDOW ADDRESS", .width = options.defang ? 27 : 15},
      {.fields = {"window_decimal"}, .header = "DECIMAL", .width = 10},
      {.fields = {"window_hex"}, .header = "HEX", .width = 8},
      {.fields = {"browser_host_display", "browser_error"}, .header = "BROWSER HOST", .shares = 2},
      {.fields = {"same"}, .header = "SAME", .width = 4},
      {.fields = {"reasons"},
       .header = "REASONS",
       .shares = 3,
       .also_field = "looks_like",
       .also_label = "looks like "}};
}

class Runner {
 public:
  Runner(const Options& options, const Terminal& terminal)
      : options_(options),
        sink_(stdout),
        format_(MakeOutputFormat(options, terminal, TableColumns(options), sink_)),
        // A person reading along gets each result at once.
        flush_each_record_(terminal.output || terminal.input),
        progress_(stderr, terminal.errors && !terminal.output) {
    url_options_.refang = options.refang;
    url_options_.trace = options.trace;
    url_options_.defang = options.defang;
    url_options_.resolver = options.resolve ? &SystemResolver() : nullptr;
    record_options_.defang = options.defang;
    record_options_.trace = options.trace;
  }

  int Run() {
    WriteHeader();
    std::int64_t number = 0;
    for (const Text& operand : options_.operands) {
      if (!Process("arg", ++number, operand)) return Finish();
    }
    if (options_.operands.empty() && options_.input_files.empty()) {
      ReadInput("-");
    }
    for (const Text& file : options_.input_files) {
      if (!ReadInput(file)) break;
    }
    return Finish();
  }

 private:
  void WriteHeader() {
    if (options_.command == Command::Convert) {
      DescribeConversion("", 0, Conversion{}, false, record_);
    } else {
      DescribeUrlReport("", 0, UrlReport{}, record_options_, record_);
    }
    format_->Begin(record_, sink_.buffer());
  }

  // False once the output is gone and reading on would be pointless.
  bool ReadInput(const Text& name) {
    std::FILE* stream = name == "-" ? stdin : OpenInputFile(name);
    if (stream == nullptr) {
      Complain("cannot read '" + name + "': " + std::strerror(errno));
      return true;
    }
    LineReader reader(stream, kLongestLine);
    Text line;
    bool output_open = true;
    for (;;) {
      const LineReader::Status status = reader.Next(line);
      if (status == LineReader::Status::End) break;
      if (status == LineReader::Status::Error) {
        Complain("cannot read '" + name + "': " + std::strerror(errno));
        break;
      }
      if (status == LineReader::Status::TooLong) {
        Complain(name + ":" + std::to_string(reader.line_number()) + ": line longer than " +
                 std::to_string(kLongestLineMiB) + " MiB skipped");
        continue;
      }
      lines_ += 1;
      progress_.Update(lines_, bytes_before_ + reader.bytes_read());
      if (line.empty()) continue;
      if (!Process(name, reader.line_number(), line)) {
        output_open = false;
        break;
      }
    }
    bytes_before_ += reader.bytes_read();
    if (stream != stdin) std::fclose(stream);
    return output_open;
  }

  bool Process(std::string_view source, std::int64_t line_number, std::string_view text) {
    // The record points into the report: both live until the line is written.
    if (options_.command == Command::Convert) {
      const Conversion conversion = ConvertAddress(text);
      DescribeConversion(source, line_number, conversion, options_.defang, record_);
      format_->Write(record_, sink_.buffer());
    } else {
      const UrlReport report = AnalyseUrl(text, url_options_);
      DescribeUrlReport(source, line_number, report, record_options_, record_);
      format_->Write(record_, sink_.buffer());
    }
    return sink_.Flush(flush_each_record_);
  }

  void Complain(const Text& message) {
    progress_.Finish();
    std::fprintf(stderr, "morvik-cli: %s\n", message.c_str());
    status_ = 1;
  }

  int Finish() {
    sink_.Flush(true);
    progress_.Finish();
    if (sink_.state() == OutputSink::State::Failed) {
      Complain(Text("cannot write the output: ") + std::strerror(sink_.error_number()));
    }
    return status_;
  }

  const Options& options_;
  OutputSink sink_;
  std::unique_ptr<OutputFormat> format_;
  bool flush_each_record_;
  Progress progress_;
  UrlAnalysisOptions url_options_;
  UrlRecordOptions record_options_;
  Record record_;
  std::int64_t lines_ = 0;
  std::uint64_t bytes_before_ = 0;
  int status_ = 0;
};

}  // namespace

std::unique_ptr<OutputFormat> MakeOutputFormat(const Options& options, const Terminal& terminal,
                                               std::vector<TableColumn> table_columns,
                                               OutputSink& sink) {
  constexpr int kDefaultWidth = 120;
  Format format = options.format;
  if (format == Format::Automatic) format = terminal.output ? Format::Table : Format::Tsv;
  std::unique_ptr<OutputFormat> chosen =
      format == Format::Json ? MakeJsonLinesFormat()
      : format == Format::Tsv
          ? MakeTsvFormat(terminal.output || options.escape_controls ? EscapeFor::Terminal
                                                                     : EscapeFor::Tsv)
          : MakeTableFormat(std::move(table_columns),
                            terminal.width > 0 ? terminal.width : kDefaultWidth);
  chosen->SetSpill([&sink](Text& out) {
    if (!sink.Flush(false)) out.clear();
  });
  return chosen;
}

int Run(const Options& options, const Terminal& terminal) {
  return Runner(options, terminal).Run();
}

}  // namespace morvik
