#include "cli/run.h"

#include <cerrno>
#include <memory>
#include <string_view>

#include "cli/line_reader.h"
#include "cli/platform.h"
#include "compare/convert.h"
#include "report/conversion_record.h"
#include "report/url_record.h"
#include "support/byte_size.h"

namespace morvik {
namespace {

// Longer lines are skipped (and reported): holding them would let one
// endless line take all memory.
constexpr std::size_t kLongestLineMiB = 64;
constexpr std::size_t kLongestLine = kLongestLineMiB * kMiB;
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
       .also_label = "looks like "},
      {.fields = {"disguises"}, .header = "DISGUISES", .shares = 3}};
}

class Runner {
 public:
  Runner(const Options& options, const Terminal& terminal)
      : options_(options),
        frame_(options, terminal, TableColumns(options), /*show_progress=*/true) {}

  int Run() {
    WriteHeader();
    std::int64_t number = 0;
    for (const Text& operand : options_.operands) {
      if (!Process("arg", ++number, operand)) return frame_.Finish();
    }
    if (options_.operands.empty() && options_.input_files.empty()) {
      ReadInput("-");
    }
    for (const Text& file : options_.input_files) {
      if (!ReadInput(file)) break;
    }
    return frame_.Finish();
  }

 private:
  void WriteHeader() {
    if (options_.command == Command::Convert) {
      DescribeConversion("", 0, Conversion{}, false, frame_.record());
    } else {
      DescribeUrlReport("", 0, UrlReport{}, frame_.describing(), frame_.record());
    }
    frame_.Begin();
  }

  // False once the output is gone and reading on would be pointless.
  bool ReadInput(const Text& name) {
    std::FILE* stream = name == "-" ? stdin : OpenInputFile(name);
    if (stream == nullptr) {
      frame_.ComplainCannotRead(name, errno);
      return true;
    }
    LineReader reader(stream, kLongestLine);
    Text line;
    bool output_open = true;
    for (;;) {
      const LineReader::Status status = reader.Next(line);
      if (status == LineReader::Status::End) break;
      if (status == LineReader::Status::Error) {
        frame_.ComplainCannotRead(name, errno);
        break;
      }
      if (status == LineReader::Status::TooLong) {
        frame_.Complain(Printable(name) + ":" + std::to_string(reader.line_number()) +
                        ": line longer than " + std::to_string(kLongestLineMiB) + " MiB skipped");
        continue;
      }
      lines_ += 1;
      frame_.progress().Update(lines_, bytes_before_ + reader.bytes_read());
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
      DescribeConversion(source, line_number, conversion, options_.defang, frame_.record());
      return frame_.WriteRecord();
    }
    const UrlReport report = AnalyseUrl(text, frame_.analysis());
    DescribeUrlReport(source, line_number, report, frame_.describing(), frame_.record());
    return frame_.WriteRecord();
  }

  const Options& options_;
  CommandFrame frame_;
  std::int64_t lines_ = 0;
  std::uint64_t bytes_before_ = 0;
};

}  // namespace

int Run(const Options& options, const Terminal& terminal) {
  return Runner(options, terminal).Run();
}

}  // namespace morvik
