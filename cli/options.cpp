#include "cli/options.h"

#include <algorithm>
#include <string_view>

#include "cli/scan_command.h"
#include "compare/disguise_names.h"
#include "compare/reasons.h"
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

// "  phrase                          what it means", for the reasons and the
// disguises alike.
Text HelpLine(std::string_view phrase, std::string_view help) {
  Text line = "  " + Text(phrase);
  line.resize(std::max<std::size_t>(line.size() + 1, 34), ' ');
  return line + Text(help) + "\n";
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
  usage += ScanHelp();
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
