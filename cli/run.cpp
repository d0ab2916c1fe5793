#include "cli/run.h"

#include <cerrno>
#include <memory>
#include <string_view>

#include "cli/input_file.h"
#include "compare/convert.h"
#include "report/conversion_record.h"
#include "report/table_columns.h"
#include "report/url_record.h"
#include "support/byte_size.h"
#include "support/line_reader.h"

namespace morvik {
namespace {

// Longer lines are skipped (and reported): holding them would let one
// endless line take all memory.
constexpr std::size_t kLongestLineMiB = 64;
constexpr std::size_t kLongestLine = kLongestLineMiB * kMiB;

class Runner {
 public:
  Runner(const Options& options, const Terminal& terminal, const ProtectedSites& sites)
      : options_(options),
        frame_(options, terminal,
               options.command == Command::Convert ? ConversionTableColumns(options.defang)
                                                   : UrlTableColumns(options.defang),
               /*show_progress=*/true) {
    frame_.analysis().sites = &sites;
  }

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
    const InputFile file(name);
    if (file.get() == nullptr) {
      frame_.ComplainCannotRead(name, errno);
      return true;
    }
    LineReader reader(file.get(), kLongestLine);
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

int Run(const Options& options, const Terminal& terminal, const ProtectedSites& sites) {
  return Runner(options, terminal, sites).Run();
}

}  // namespace morvik
