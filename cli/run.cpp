#include "cli/run.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

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
    for (;;) {
      // A line not yet read in whole may be long in coming (a person types
      // it): the lines before it are answered first, and so before any
      // complaint about the input.
      if (!reader.HasWholeLine() && !WritePending(name)) return false;
      if (pending_.size() == lines_pending_) pending_.emplace_back();
      PendingLine& line = pending_[lines_pending_];
      const LineReader::Status status = reader.Next(line.text);
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
      if (line.text.empty()) continue;
      line.number = reader.line_number();
      bytes_pending_ += line.text.size();
      ++lines_pending_;
      const bool full = lines_pending_ == kMostPendingLines || bytes_pending_ >= kMostPendingBytes;
      if (full && !WritePending(name)) return false;
    }
    bytes_before_ += reader.bytes_read();
    return WritePending(name);
  }

  // Analyses and writes the lines read so far; false once the output is
  // gone.
  bool WritePending(std::string_view source) {
    const std::span<const PendingLine> lines(pending_.data(), lines_pending_);
    lines_pending_ = 0;
    bytes_pending_ = 0;
    if (lines.empty()) return true;
    bool output_open = true;
    if (options_.command == Command::Convert) {
      for (const PendingLine& line : lines) {
        if (output_open) output_open = Process(source, line.number, line.text);
      }
    } else {
      inputs_.clear();
      for (const PendingLine& line : lines) inputs_.push_back(line.text);
      reports_.resize(std::max(reports_.size(), lines.size()));
      const std::span<UrlReport> reports(reports_.data(), lines.size());
      AnalyseUrls(inputs_, frame_.analysis(), reports);
      for (std::size_t i = 0; i < lines.size() && output_open; ++i) {
        DescribeUrlReport(
            source, lines[i].number, reports[i], frame_.describing(), frame_.record());
        output_open = frame_.WriteRecord();
      }
      // What a long line made is not kept until its place is taken again.
      for (UrlReport& report : reports) {
        if (report.input.size() > kLongestKeptLine) report = UrlReport{};
      }
    }
    for (PendingLine& line : pending_) {
      if (line.text.capacity() > kLongestKeptLine) Text().swap(line.text);
    }
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

  // Lines are analysed a few dozen at a time (see AnalyseUrls), and never
  // more than about this much text at once, so that long lines take no more
  // memory than one at a time would.
  static constexpr std::size_t kMostPendingLines = 64;
  static constexpr std::size_t kMostPendingBytes = std::size_t{64} * 1024;
  static constexpr std::size_t kLongestKeptLine = std::size_t{4} * 1024;

  struct PendingLine {
    Text text;
    std::int64_t number = 0;
  };

  const Options& options_;
  CommandFrame frame_;
  std::int64_t lines_ = 0;
  std::uint64_t bytes_before_ = 0;
  // Room kept from one group of lines to the next.
  std::vector<PendingLine> pending_;
  std::size_t lines_pending_ = 0;
  std::size_t bytes_pending_ = 0;
  std::vector<std::string_view> inputs_;
  std::vector<UrlReport> reports_;
};

}  // namespace

int Run(const Options& options, const Terminal& terminal, const ProtectedSites& sites) {
  return Runner(options, terminal, sites).Run();
}

}  // namespace morvik
