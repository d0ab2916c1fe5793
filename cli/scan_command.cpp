#include "cli/scan_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>

#include "cli/output_sink.h"
#include "cli/platform.h"
#include "report/output_format.h"
#include "report/scan_record.h"
#include "scan/document.h"
#include "scan/reader_availability.h"

namespace morvik {
namespace {

constexpr std::size_t kMiB = std::size_t{1024} * 1024;

std::vector<TableColumn> ScanTableColumns() {
  return {
      {.fields = {"part"}, .header = "PART", .width = 4},
      {.fields = {"element"}, .header = "ELEMENT", .width = 8},
      {.fields = {"line"}, .header = "LINE", .width = 4},
      {.fields = {"shown"}, .header = "SHOWN", .shares = 2},
      {.fields = {"url"}, .header = "URL", .shares = 3},
      {.fields = {"window_host"}, .header = "WINDOW HOST", .shares = 2},
      {.fields = {"browser_host_display", "browser_error"}, .header = "BROWSER HOST", .shares = 2},
      {.fields = {"same"}, .header = "SAME", .width = 4},
      {.fields = {"count"}, .header = "N", .width = 3},
      {.fields = {"reasons"},
       .header = "REASONS",
       .shares = 5,
       .also_field = "looks_like",
       .also_label = "looks like "}};
}

// Text from the input shown in a message on standard error, with control
// bytes made "?" so that it cannot steer the terminal.
Text Printable(std::string_view text) {
  Text printable(text);
  for (char& c : printable) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return printable;
}

// "1 link", "2 links".
Text Counted(std::int64_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Closes what it opened, never standard input.
struct InputFile {
  std::FILE* stream = nullptr;
  bool owned = false;
  ~InputFile() {
    if (owned && stream != nullptr) std::fclose(stream);
  }
};

class Scanner {
 public:
  Scanner(const Options& options, const Terminal& terminal)
      : options_(options),
        sink_(stdout),
        format_(MakeOutputFormat(options, terminal, ScanTableColumns(), sink_)),
        flush_each_record_(terminal.output || terminal.input),
        summaries_(terminal.output) {
    analysis_.trace = options.trace;
    analysis_.defang = options.defang;
    analysis_.resolver = options.resolve ? &SystemResolver() : nullptr;
    describing_.defang = options.defang;
    describing_.trace = options.trace;
    if (!options.scan_as.empty()) forced_kind_ = InputKindNamed(options.scan_as);
  }

  int Run() {
    ScannedLink shape;
    DescribeScannedLink("", 0, shape, analysis_, describing_, report_, record_);
    format_->Begin(record_, sink_.buffer());
    std::vector<Text> inputs = options_.operands;
    inputs.insert(inputs.end(), options_.input_files.begin(), options_.input_files.end());
    if (inputs.empty()) inputs.emplace_back("-");
    for (const Text& input : inputs) {
      if (!ScanInput(input)) break;
    }
    sink_.Flush(true);
    if (sink_.state() == OutputSink::State::Failed) {
      Complain(Text("cannot write the output: ") + std::strerror(sink_.error_number()));
    }
    return status_;
  }

 private:
  // False once the output is gone.
  bool ScanInput(const Text& name) {
    InputFile file;
    file.stream = name == "-" ? stdin : OpenInputFile(name);
    file.owned = file.stream != stdin;
    if (file.stream == nullptr) {
      Complain("cannot read '" + Printable(name) + "': " + std::strerror(errno));
      return true;
    }
    // Mail is read back from the file part by part, so it must be seekable:
    // a pipe is copied to a temporary file first.
    if (std::fseek(file.stream, 0, SEEK_CUR) != 0 && !CopyToTemporaryFile(name, file)) return true;
    const long start = std::ftell(file.stream);
    char head[kKindSniffBytes];
    const std::size_t head_size = std::fread(head, 1, sizeof head, file.stream);
    if (std::ferror(file.stream)) {
      Complain("cannot read '" + Printable(name) + "': " + std::strerror(errno));
      return true;
    }
    const InputKind kind = forced_kind_.value_or(DetectInputKind({head, head_size}));
    std::fseek(file.stream, start, SEEK_SET);
    in_mailbox_ = kind == InputKind::Mailbox;
    const ScanHandler handler = [&](ScannedMessage& message) { return Write(name, message); };
    if (kind == InputKind::Mail || kind == InputKind::Mailbox) {
      const int fd = fileno(file.stream);
      lseek(fd, start, SEEK_SET);
      return ScanMailFile(fd, kind, limits_, handler);
    }
    Text bytes;
    if (kind != InputKind::Binary && !ReadWhole(name, file.stream, bytes)) return true;
    return ScanBytes(bytes, kind, limits_, handler);
  }

  bool CopyToTemporaryFile(const Text& name, InputFile& file) {
    std::FILE* copy = std::tmpfile();
    if (copy == nullptr) {
      Complain("cannot read '" + Printable(name) + "': no temporary file: " + std::strerror(errno));
      return false;
    }
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.stream)) > 0) {
      if (std::fwrite(buffer, 1, got, copy) != got) break;
    }
    const bool failed = std::ferror(file.stream) || std::ferror(copy);
    const int error = errno;
    if (file.owned) std::fclose(file.stream);
    file.stream = copy;
    file.owned = true;
    std::rewind(copy);
    if (failed) Complain("cannot read '" + Printable(name) + "': " + std::strerror(error));
    return !failed;
  }

  // An HTML page or a text is held whole, up to the size of a text part.
  bool ReadWhole(const Text& name, std::FILE* stream, Text& bytes) {
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
      if (bytes.size() + got > limits_.largest_text_part) {
        Complain(Printable(name) + ": larger than " +
                 std::to_string(limits_.largest_text_part / kMiB) + " MiB; not scanned");
        return false;
      }
      bytes.append(buffer, got);
    }
    if (std::ferror(stream)) {
      Complain("cannot read '" + Printable(name) + "': " + std::strerror(errno));
      return false;
    }
    return true;
  }

  bool Write(const Text& name, const ScannedMessage& message) {
    const Text where = in_mailbox_ ? Printable(name) + ": message " + std::to_string(message.number)
                                   : Printable(name);
    for (const Text& problem : message.problems) {
      const bool notice = problem == kNoPdfReader || problem == kNoQrReader;
      if (!notice) {
        Complain(where + ": " + Printable(problem));
      } else if (told_notices_.insert(problem).second) {
        Complain(problem + "; scanning the rest");
      }
    }
    std::int64_t disagreements = 0;
    std::int64_t lookalikes = 0;
    for (const ScannedLink& link : message.links) {
      const LinkVerdict verdict =
          DescribeScannedLink(name, message.number, link, analysis_, describing_, report_, record_);
      disagreements += verdict.disagrees ? 1 : 0;
      lookalikes += verdict.lookalike ? 1 : 0;
      format_->Write(record_, sink_.buffer());
      if (!sink_.Flush(flush_each_record_)) return false;
    }
    if (summaries_) {
      const auto links = static_cast<std::int64_t>(message.links.size());
      sink_.buffer() += where + ": " + Counted(links, "link") + ", " +
                        Counted(disagreements, "disagreement") + ", " +
                        Counted(lookalikes, "look-alike") + "\n";
      if (!sink_.Flush(true)) return false;
    }
    return true;
  }

  void Complain(const Text& message) {
    sink_.Flush(true);  // what came before the trouble is shown before it
    std::fprintf(stderr, "morvik-cli: %s\n", message.c_str());
    status_ = 1;
  }

  const Options& options_;
  OutputSink sink_;
  std::unique_ptr<OutputFormat> format_;
  bool flush_each_record_;
  bool summaries_;
  std::optional<InputKind> forced_kind_;
  std::set<Text> told_notices_;  // a build without a reader says so once a run
  bool in_mailbox_ = false;      // the input being scanned holds messages after "From " lines
  MailLimits limits_;
  UrlAnalysisOptions analysis_;
  UrlRecordOptions describing_;
  UrlReport report_;
  Record record_;
  int status_ = 0;
};

}  // namespace

bool ScanAvailable() { return true; }

int RunScan(const Options& options, const Terminal& terminal) {
  return Scanner(options, terminal).Run();
}

}  // namespace morvik
