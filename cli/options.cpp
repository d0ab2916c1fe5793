#include "cli/options.h"

#include <algorithm>
#include <string_view>

#include "cli/scan_command.h"
#include "compare/disguise_names.h"
#include "compare/reasons.h"
#include "scan/attachment_limits.h"
#include "scan/input_kind.h"

namespace morvik {
namespace {

// Every option but --input and --as: what each sets.
struct Switch {
  std::string_view name;
  std::string_view short_name = {};
  bool Options::*flag = nullptr;       // a flag, or
  Text Options::*file = nullptr;       // a file name, the option's value, or
  Format format = Format::Automatic;   // an output format, or
  Command command = Command::Analyse;  // --help or --version
};

constexpr Switch kSwitches[] = {
    {.name = "--refang", .flag = &Options::refang},
    {.name = "--defang", .flag = &Options::defang},
    {.name = "--trace", .flag = &Options::trace},
    {.name = "--resolve", .flag = &Options::resolve},
    {.name = "--escape-controls", .flag = &Options::escape_controls},
    {.name = "--all-columns", .flag = &Options::all_columns},
    {.name = "--brands", .file = &Options::brands_file},
    {.name = "--table", .format = Format::Table},
    {.name = "--tsv", .format = Format::Tsv},
    {.name = "--json", .format = Format::Json},
    {.name = "--help", .short_name = "-h", .command = Command::Help},
    {.name = "--version", .short_name = "-V", .command = Command::Version},
};

const Switch* FindSwitch(std::string_view name) {
  for (const Switch& known : kSwitches) {
    if (name == known.name || name == known.short_name) return &known;
  }
  return nullptr;
}

std::string_view FormatName(Format format) {
  for (const Switch& known : kSwitches) {
    if (known.format == format) return known.name;
  }
  return "";
}

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
constexpr const char* kNoScanHelp =
    "scan (links in e-mail and HTML) is not in this build: it is built without\n"
    "the mail and HTML libraries.\n";

// "  phrase                          what it means", for the reasons and the
// disguises alike.
Text HelpLine(std::string_view phrase, std::string_view help) {
  Text line = "  " + Text(phrase);
  line.resize(std::max<std::size_t>(line.size() + 1, 34), ' ');
  return line + Text(help) + "\n";
}

// The scan help with the limits of PDFs and images in it, from the values
// scan uses.
Text ScanHelp() {
  const AttachmentLimits limits;
  const Text lines = "  decoded size  " + std::to_string(limits.largest_attachment >> 20) +
                     " MiB a PDF or image, its transfer encoding undone\n"
                     "  pages         " +
                     std::to_string(limits.most_pages) + " a PDF read for links, the first " +
                     std::to_string(limits.most_rendered_pages) +
                     " rendered for QR codes\n"
                     "  render time   " +
                     std::to_string(static_cast<int>(limits.most_render_seconds)) +
                     " s a PDF; no page is started after it\n"
                     "  pixels        " +
                     std::to_string(limits.most_pixels / 1000000) +
                     " megapixels an image or rendered page (larger pages\n"
                     "                are drawn smaller)\n"
                     "  text          " +
                     std::to_string(limits.largest_pdf_text >> 20) + " MiB of a PDF's text layer\n";
  Text help = kScanHelp;
  help.replace(help.find("%LIMITS%"), 8, lines);
  return help;
}

ParsedOptions Error(const Text& message) {
  return {std::nullopt, "morvik-cli: " + message + " (see --help)"};
}

class Parser {
 public:
  explicit Parser(const std::vector<Text>& arguments) : arguments_(arguments) {}

  ParsedOptions Parse() {
    bool options_ended = false;
    for (next_ = 0; next_ < arguments_.size();) {
      const Text& argument = arguments_[next_++];
      if (options_ended || argument.size() < 2 || argument[0] != '-') {
        AddOperand(argument, options_ended);
        continue;
      }
      if (argument == "--") {
        options_ended = true;
        continue;
      }
      if (std::optional<Text> error = ParseOption(argument)) return Error(*error);
      if (options_.command == Command::Help || options_.command == Command::Version) {
        return {options_, {}};
      }
    }
    if (!options_.scan_as.empty() && options_.command != Command::Scan) {
      return Error("'--as' applies to scan only");
    }
    if (options_.command == Command::Convert) {
      for (const Switch& known : kSwitches) {
        const bool applies =
            known.flag == &Options::defang || known.flag == &Options::escape_controls;
        if (known.flag != nullptr && !applies && options_.*known.flag) {
          return Error("'" + Text(known.name) + "' does not apply to convert");
        }
      }
    }
    return {options_, {}};
  }

 private:
  // "convert" and "scan" name the command only before the first operand
  // and before "--", which ends options and commands alike.
  void AddOperand(const Text& argument, bool options_ended) {
    if ((argument == "convert" || argument == "scan") && !options_ended &&
        options_.command == Command::Analyse && options_.operands.empty()) {
      options_.command = argument == "scan" ? Command::Scan : Command::Convert;
      return;
    }
    options_.operands.push_back(argument);
  }

  // An error message, or nothing when the option was taken.
  std::optional<Text> ParseOption(const Text& argument) {
    const std::size_t equals = argument.find('=');
    const std::string_view name = std::string_view(argument).substr(0, equals);
    const bool has_value = equals != Text::npos;
    const auto value = [&]() -> std::optional<Text> {
      if (has_value) return argument.substr(equals + 1);
      if (next_ < arguments_.size()) return arguments_[next_++];
      return std::nullopt;
    };

    if (name == "--input" || name == "-i") {
      const std::optional<Text> file = value();
      if (!file) return "option '" + Text(name) + "' needs a file name";
      options_.input_files.push_back(*file);
      return std::nullopt;
    }
    if (name == "--as") {
      const std::optional<Text> kind = value();
      if (!kind) return "option '--as' needs " + InputKindChoices();
      if (!InputKindNamed(*kind)) {
        return "option '--as' takes " + InputKindChoices() + ", not '" + *kind + "'";
      }
      options_.scan_as = *kind;
      return std::nullopt;
    }
    const Switch* known = FindSwitch(name);
    if (known == nullptr) return "unknown option '" + Text(name) + "'";
    if (known->file != nullptr) {
      const std::optional<Text> file = value();
      if (!file || file->empty()) return "option '" + Text(name) + "' needs a file name";
      options_.*known->file = *file;
      return std::nullopt;
    }
    if (has_value) return "option '" + Text(name) + "' takes no value";
    if (known->flag != nullptr) {
      options_.*known->flag = true;
    } else if (known->format != Format::Automatic) {
      if (options_.format != Format::Automatic && options_.format != known->format) {
        return "'" + Text(name) + "' cannot be combined with '" +
               Text(FormatName(options_.format)) + "'";
      }
      options_.format = known->format;
    } else {
      options_.command = known->command;
    }
    return std::nullopt;
  }

  const std::vector<Text>& arguments_;
  std::size_t next_ = 0;
  Options options_;
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<Text>& arguments) { return Parser(arguments).Parse(); }

Text UsageText() {
  Text usage =
      "Usage: morvik-cli [OPTION]... [URL]...\n"
      "       morvik-cli convert [OPTION]... [ADDRESS]...\n"
      "       morvik-cli scan [OPTION]... [FILE]...\n"
      "\n"
      "Shows where each URL points: the host and address as the Morvik window reads\n"
      "them, the host a web browser would go to, and whether the two agree.\n"
      "URLs come from the arguments and then from the --input files, one per line\n"
      "(LF or CRLF); from standard input when neither is given. Empty lines are\n"
      "skipped. \"--\" ends the options and the command: what follows is a URL.\n"
      "\n"
      "convert shows an address given as dotted text (192.168.1.1), one decimal\n"
      "number (3232235777) or eight hex digits (C0A80101, 0xC0A80101) in all three\n"
      "notations, by the window's rules.\n"
      "\n";
  usage += ScanAvailable() ? ScanHelp() : Text(kNoScanHelp);
  usage +=
      "\n"
      "Options:\n"
      "  -i, --input FILE  read one URL per line from FILE (\"-\": standard input);\n"
      "                    may be given more than once\n"
      "      --table       an aligned table (the default on a terminal)\n"
      "      --tsv         tab-separated values with a header (the default otherwise)\n"
      "      --json        JSON Lines: one object per URL; bytes that are not UTF-8\n"
      "                    appear as \\udc80-\\udcff\n"
      "      --escape-controls\n"
      "                    in TSV to a file or pipe too, write controls, direction\n"
      "                    controls and invisible characters as <U+202E>, as on a\n"
      "                    terminal (the table always does, JSON as \\u202e)\n"
      "      --refang      undo defanging first: hxxp, [.], (.), [dot], [:], [://]\n"
      "      --defang      write URLs, hosts and addresses defanged (hxxp, [.], [://])\n"
      "      --trace       show each step of the window's reading that changed the text\n"
      "      --resolve     look names up as the window's Resolve button does (and a\n"
      "                    browser's host too, when it names another host); without\n"
      "                    it nothing is sent to any name server\n"
      "      --brands FILE also flag look-alikes of the domains in FILE, one a line\n"
      "                    (Unicode or xn--, \"#\" comments), beside the popular sites\n"
      "                    built in; without it, the file MORVIK_BRANDS names\n"
      "  -h, --help        show this help\n"
      "  -V, --version     show the version\n"
      "\n"
      "Reasons given when the readings disagree:\n";
  for (const ReasonEntry& entry : AllReasons()) usage += HelpLine(entry.phrase, entry.help);
  usage +=
      "\n"
      "Disguises: how a link hides where it goes (each with its evidence):\n";
  for (const DisguiseEntry& entry : AllDisguises()) usage += HelpLine(entry.name, entry.help);
  usage +=
      "\n"
      "Exit status: 0 when all input was read (also when the reader of the output\n"
      "went away); 1 when an input file could not be read (for scan: or not read\n"
      "whole), after reading all the others; 2 on a usage error or a brands file\n"
      "that cannot be read or holds a line that is no domain, before reading\n"
      "anything. A note on what scan read otherwise than labelled (a charset it\n"
      "could not follow, a header it repaired) leaves the status 0.\n";
  return usage;
}

}  // namespace morvik
