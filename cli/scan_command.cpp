#include "cli/scan_command.h"

#include <cerrno>
#include <cstring>
#include <set>

#include "cli/input_file.h"
#include "report/scan_record.h"
#include "report/table_columns.h"
#include "scan/input_stream.h"
#include "scan/mail.h"
#include "scan/reader_availability.h"

namespace morvik {
namespace {

// `scan` in the help: what it does, or that this build lacks it.
constexpr const char* kScanHelp =
    "scan reads e-mail messages (.eml), mailboxes (mbox), HTML pages and plain\n"
    "texts (standard input when no FILE is given, or for \"-\") and shows every\n"
    "link in them: where it stands (MIME part, element, line), the text the\n"
    "reader is shown, the URL and its readings. Links come from a[href], area,\n"
    "form[action], img and iframe[src] and meta refresh, made absolute by\n"
    "<base href>, and from URLs in running text, defanged ones too. Identical\n"
    "links in a message are shown once with their count (N).\n"
    "PDFs (attached, whatever their label, or given directly) give their link\n"
    "annotations (element pdf-link, the text under the link as shown text) and\n"
    "the URLs in their text (pdf-text); QR codes in images (PNG, JPEG, GIF, BMP:\n"
    "parts, data: images in HTML) and on PDF pages give element qr; for pdf-link,\n"
    "pdf-text and a QR code on a PDF page LINE is the page. A code that holds no\n"
    "URL (a payment, a Wi-Fi network, text) is one row with what it holds and no\n"
    "host. Nothing in a PDF is run, fetched or written to disk. A document that\n"
    "is encrypted, damaged or over a limit is named on standard error and the\n"
    "rest is scanned. The limits:\n"
    "%LIMITS%"
    "On a terminal the table shows first where each link stands, what is shown,\n"
    "where it goes and its disguises; the URL, N, reasons and the window's host\n"
    "follow as the width allows.\n"
    "      --as KIND     take every input for KIND: mail, mbox, html, text, pdf\n"
    "                    or image (told from the content otherwise)\n"
    "      --all-columns every column in scan's table, however narrow\n";

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
    const InputFile file(name);
    if (file.get() == nullptr) {
      frame_.ComplainCannotRead(name, errno);
      return true;
    }
    StreamScan scan;
    const ScanHandler handler = [&](ScannedMessage& message) {
      return Write(name, scan.kind == InputKind::Mailbox, message);
    };
    const bool output_open = ScanStream(file.get(), forced_kind_, limits_, handler, scan);
    if (!scan.failed) return output_open;
    if (scan.error_number == 0) {
      frame_.Complain(Printable(name) + ": " + scan.failure);
    } else if (!scan.failure.empty()) {
      frame_.Complain("cannot read '" + Printable(name) + "': " + scan.failure + ": " +
                      std::strerror(scan.error_number));
    } else {
      frame_.ComplainCannotRead(name, scan.error_number);
    }
    return output_open;
  }

  bool Write(const Text& name, bool in_mailbox, const ScannedMessage& message) {
    const Text where = in_mailbox ? Printable(name) + ": message " + std::to_string(message.number)
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
    MessageTally tally;
    for (const ScannedLink& link : message.links) {
      tally.Add(Describe(name, message.number, link));
      if (!frame_.WriteRecord()) return false;
    }
    return !summaries_ || frame_.WriteLine(where + ": " + tally.Summary() + "\n");
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
  MailLimits limits_;
  UrlReport report_;
};

}  // namespace

Text ScanHelp() {
  Text help = kScanHelp;
  help.replace(help.find("%LIMITS%"), 8, DescribeAttachmentLimits(AttachmentLimits{}));
  return help;
}

int RunScan(const Options& options, const Terminal& terminal, const ProtectedSites& sites) {
  return Scanner(options, terminal, sites).Run();
}

}  // namespace morvik
