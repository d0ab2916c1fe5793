#include "cli/scan_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>

#include "cli/platform.h"
#include "cli/scan_table.h"
#include "report/scan_record.h"
#include "scan/document.h"
#include "scan/mail.h"
#include "scan/reader_availability.h"

namespace morvik {
namespace {

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
  Scanner(const Options& options, const Terminal& terminal, const ProtectedSites& sites)
      : options_(options),
        frame_(options, terminal, ScanTableColumns(TableWidth(terminal), options.all_columns),
               /*show_progress=*/false),
        summaries_(terminal.output) {
    // A link is read as written: defanged ones are refanged where found.
    frame_.analysis().refang = false;
    frame_.analysis().sites = &sites;
    if (!options.scan_as.empty()) forced_kind_ = InputKindNamed(options.scan_as);
  }

  int Run() {
    ScannedLink shape;
    Describe("", 0, shape);
    frame_.Begin();
    std::vector<Text> inputs = options_.operands;
    inputs.insert(inputs.end(), options_.input_files.begin(), options_.input_files.end());
    if (inputs.empty()) inputs.emplace_back("-");
    for (const Text& input : inputs) {
      if (!ScanInput(input)) break;
    }
    return frame_.Finish();
  }

 private:
  // False once the output is gone.
  bool ScanInput(const Text& name) {
    InputFile file;
    file.stream = name == "-" ? stdin : OpenInputFile(name);
    file.owned = file.stream != stdin;
    if (file.stream == nullptr) {
      frame_.ComplainCannotRead(name, errno);
      return true;
    }
    // Mail is read back from the file part by part, so it must be seekable:
    // a pipe is copied to a temporary file first.
    if (std::fseek(file.stream, 0, SEEK_CUR) != 0 && !CopyToTemporaryFile(name, file)) return true;
    const long start = std::ftell(file.stream);
    char head[kKindSniffBytes];
    const std::size_t head_size = std::fread(head, 1, sizeof head, file.stream);
    if (std::ferror(file.stream)) {
      frame_.ComplainCannotRead(name, errno);
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
      frame_.Complain("cannot read '" + Printable(name) +
                      "': no temporary file: " + std::strerror(errno));
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
    if (failed) frame_.ComplainCannotRead(name, error);
    return !failed;
  }

  // An HTML page or a text is held whole, up to the size of a text part.
  bool ReadWhole(const Text& name, std::FILE* stream, Text& bytes) {
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
      if (bytes.size() + got > limits_.largest_text_part) {
        frame_.Complain(Printable(name) + ": " + OverSizeProblem(limits_.largest_text_part));
        return false;
      }
      bytes.append(buffer, got);
    }
    if (std::ferror(stream)) {
      frame_.ComplainCannotRead(name, errno);
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
        frame_.Complain(where + ": " + Printable(problem));
      } else if (told_notices_.insert(problem).second) {
        frame_.Complain(problem + "; scanning the rest");
      }
    }
    for (const Text& note : message.notes) frame_.Note(where + ": " + Printable(note));
    std::int64_t disguised = 0;
    std::int64_t disagreements = 0;
    std::int64_t lookalikes = 0;
    for (const ScannedLink& link : message.links) {
      const LinkVerdict verdict = Describe(name, message.number, link);
      disguised += verdict.disguised ? 1 : 0;
      disagreements += verdict.disagrees ? 1 : 0;
      lookalikes += verdict.lookalike ? 1 : 0;
      if (!frame_.WriteRecord()) return false;
    }
    if (!summaries_) return true;
    const auto links = static_cast<std::int64_t>(message.links.size());
    return frame_.WriteLine(
        where + ": " + Counted(links, "link") + ", " + std::to_string(disguised) + " disguised, " +
        Counted(disagreements, "disagreement") + ", " + Counted(lookalikes, "look-alike") + "\n");
  }

  LinkVerdict Describe(std::string_view name, std::int64_t message, const ScannedLink& link) {
    return DescribeScannedLink(
        name, message, link, frame_.analysis(), frame_.describing(), report_, frame_.record());
  }

  const Options& options_;
  CommandFrame frame_;
  bool summaries_;
  std::optional<InputKind> forced_kind_;
  std::set<Text> told_notices_;  // a build without a reader says so once a run
  bool in_mailbox_ = false;      // the input being scanned holds messages after "From " lines
  MailLimits limits_;
  UrlReport report_;
};

}  // namespace

bool ScanAvailable() { return true; }

int RunScan(const Options& options, const Terminal& terminal, const ProtectedSites& sites) {
  return Scanner(options, terminal, sites).Run();
}

}  // namespace morvik
