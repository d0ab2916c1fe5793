// morvik-cli as a user runs it: arguments, standard input and files, every
// output format, exit codes, awkward input, a closed pipe, the resolver.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_harness.h"

namespace morvik {
namespace {

using namespace std::string_literals;

using cli_test::Fields;
using cli_test::Lines;
using cli_test::Outcome;
using cli_test::Quote;
using cli_test::ReadFile;
using cli_test::WriteFile;

class ProgramTest : public ::testing::Test {
 protected:
  // A file in this test's own scratch directory.
  static std::string Path(const std::string& name) { return cli_test::ScratchPath(name); }

  // Runs `shell` with bash, `input` on standard input; "$CLI" is the program.
  static Outcome Shell(const std::string& shell, const std::string& input = "") {
    WriteFile(Path("stdin"), input);
    return cli_test::RunShell(shell, Path("stdin"));
  }

  Outcome Cli(const std::string& arguments, const std::string& input = "") const {
    return Shell("\"$CLI\" " + arguments, input);
  }

  // The value of `column` in each data line of TSV output.
  static std::vector<std::string> Column(const std::string& tsv, const std::string& column) {
    const std::vector<std::string> lines = Lines(tsv);
    std::vector<std::string> values;
    if (lines.empty()) return values;
    const std::vector<std::string> header = Fields(lines[0]);
    const auto at = std::find(header.begin(), header.end(), column) - header.begin();
    for (std::size_t i = 1; i < lines.size(); ++i) values.push_back(Fields(lines[i]).at(at));
    return values;
  }

  // Runs a Python check over the JSON Lines in `json`; true when it passes.
  bool PythonAccepts(const std::string& json, const std::string& check) const {
    WriteFile(Path("json"), json);
    const std::string script =
        "import json, sys\n"
        "rows = [json.loads(line) for line in open(sys.argv[1], 'rb').read().split(b'\\n') if "
        "line]\n" +
        check + "\n";
    WriteFile(Path("check.py"), script);
    return std::system(
               ("python3 " + Quote(Path("check.py")) + " " + Quote(Path("json"))).c_str()) == 0;
  }
};

TEST_F(ProgramTest, ReadsUrlsFromItsArguments) {
  const Outcome run = Cli("'http://somename&x=1@3232235777/%61bc' 'http://0x7f.1/'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Column(run.out, "window_host_text"),
            (std::vector<std::string>{"192.168.1.1/abc", "0x7f.1/"}));
  EXPECT_EQ(Column(run.out, "window_decimal"), (std::vector<std::string>{"3232235777", ""}));
  EXPECT_EQ(Column(run.out, "window_hex"), (std::vector<std::string>{"C0A80101", ""}));
  EXPECT_EQ(Column(run.out, "browser_dotted"),
            (std::vector<std::string>{"192.168.1.1", "127.0.0.1"}));
  EXPECT_EQ(Column(run.out, "same"), (std::vector<std::string>{"true", "false"}));
  EXPECT_EQ(Column(run.out, "reasons"),
            (std::vector<std::string>{"", "hex part, shorthand address"}));
  EXPECT_EQ(Column(run.out, "source"), (std::vector<std::string>{"arg", "arg"}));
  EXPECT_EQ(run.err, "");
}

TEST_F(ProgramTest, ReadsStandardInputWithEitherLineEnd) {
  const Outcome run = Cli("", "http://a.test/\r\n\r\nhttp://b.test/\nhttp://c.test");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Column(run.out, "browser_host"),
            (std::vector<std::string>{"a.test", "b.test", "c.test"}));
  EXPECT_EQ(Column(run.out, "line"),
            (std::vector<std::string>{"1", "3", "4"}));  // the empty line is skipped
  EXPECT_EQ(Column(run.out, "source"), (std::vector<std::string>{"-", "-", "-"}));
}

TEST_F(ProgramTest, ReadsInputFilesAndGoesOnPastOneItCannotRead) {
  WriteFile(Path("first.txt"), "http://a.test/\n");
  WriteFile(Path("second.txt"), "http://b.test/\n");
  // Arguments first, then the files in their order; a file that cannot be
  // read makes the status 1, and the rest is still read.
  const Outcome run = Cli("--input " + Quote(Path("first.txt")) + " http://arg.test/ -i " +
                          Quote(Path("missing.txt")) + " --input=" + Quote(Path("second.txt")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Column(run.out, "browser_host"),
            (std::vector<std::string>{"arg.test", "a.test", "b.test"}));
  EXPECT_EQ(run.err,
            "morvik-cli: cannot read '" + Path("missing.txt") + "': No such file or directory\n");
}

struct UsageCase {
  const char* arguments;
  int status;
  const char* error;
};

const UsageCase kUsageCases[] = {
    {"--bogus", 2, "morvik-cli: unknown option '--bogus' (see --help)\n"},
    {"--input", 2, "morvik-cli: option '--input' needs a file name (see --help)\n"},
    {"--json --table", 2, "morvik-cli: '--table' cannot be combined with '--json' (see --help)\n"},
    {"convert --trace 1", 2, "morvik-cli: '--trace' does not apply to convert (see --help)\n"},
    {"--help", 0, ""},
    {"--version", 0, ""},
};

class UsageTest : public ProgramTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageTest, ExitsWithTheDocumentedStatus) {
  const Outcome run = Cli(GetParam().arguments);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_EQ(run.err, GetParam().error);
  if (GetParam().status == 2) {
    EXPECT_EQ(run.out, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageTest, ::testing::ValuesIn(kUsageCases),
                         [](const ::testing::TestParamInfo<UsageCase>& info) {
                           std::string name;
                           for (const char* c = info.param.arguments; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c)) != 0) name += *c;
                           }
                           return name;
                         });

TEST_F(ProgramTest, HelpAndVersionSayWhatTheyShould) {
  const Outcome help = Cli("--help");
  EXPECT_NE(help.out.find("Usage: morvik-cli"), std::string::npos);
  EXPECT_NE(help.out.find("first @ vs last @"), std::string::npos);
  EXPECT_EQ(Cli("-V").out, "morvik-cli 1.0\n");
}

TEST_F(ProgramTest, WritesValidJsonLinesWhateverTheInput) {
  // Bytes that are not UTF-8, a NUL, a control character, quotes.
  const std::string input =
      "http://a\xFF\xFE.test/\x80\n"
      "http://nul\0x.test/\n"s
      "http://q\"uo\\te\x1b[31m.test/\n"
      "http://b\xC3\xBC"
      "cher.de/\n";
  WriteFile(Path("input"), input);
  const Outcome run = Cli("--json --trace", input);
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Lines(run.out).size(), 4u);
  EXPECT_TRUE(PythonAccepts(
      run.out,
      "expected = [l for l in open(sys.argv[1].replace('-json', '-input'), "
      "'rb').read().split(b'\\n') if l]\n"
      "assert [r['url'].encode('utf-8', 'surrogateescape') for r in rows] == expected\n"
      "assert rows[0]['browser_error'].startswith('idna'), rows[0]\n"
      "assert rows[1]['browser_error'] == \"forbidden host character: U+0000\", rows[1]\n"
      "assert rows[3]['browser_host'] == 'xn--bcher-kva.de' and rows[3]['browser_host_unicode'] == "
      "'b\\u00fccher.de'\n"
      "assert rows[3]['same'] is False and rows[3]['reasons'] == ['idna']\n"
      "assert rows[3]['window_dotted'] is None and rows[3]['line'] == 4\n"
      "assert rows[0]['trace'][0] == {'step': 'scheme removed', 'text': "
      "'a\\udcff\\udcfe.test/\\udc80'}\n"));
}

TEST_F(ProgramTest, WritesOneTsvLinePerUrlWhateverTheInput) {
  const Outcome run = Cli("--tsv", "http://tab\there.test/\nhttp://nul\0x/\n"s);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines)
    EXPECT_EQ(Fields(line).size(), Fields(lines[0]).size()) << line;
  EXPECT_EQ(Column(run.out, "url"),
            (std::vector<std::string>{"http://tab\\there.test/", "http://nul\\x00x/"}));
}

TEST_F(ProgramTest, WritesAnAlignedTableForAPerson) {
  const Outcome run =
      Shell("COLUMNS=200 \"$CLI\" --table 'http://010.0.0.1/' 'http://example.com/'");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].find("URL"), 0u);
  const std::size_t same_column = lines[0].find("SAME");
  ASSERT_NE(same_column, std::string::npos);
  EXPECT_EQ(lines[1].substr(same_column, 3), "no ");
  EXPECT_EQ(lines[2].substr(same_column, 3), "yes");
  EXPECT_NE(lines[1].find("octal part"), std::string::npos);
}

TEST_F(ProgramTest, RefangsInputAndDefangsOutput) {
  const Outcome refanged = Cli("--refang --json 'hxxp://evil[.]example[:]8080/x'");
  EXPECT_TRUE(PythonAccepts(
      refanged.out,
      "assert rows[0]['url'] == 'http://evil.example:8080/x' and rows[0]['browser_port'] == 8080\n"
      "assert rows[0]['browser_host_unicode'] is None\n"));  // only for internationalised names
  const Outcome defanged =
      Cli("--defang --trace --json 'http://evil.example/x' 'http://3232235777/'");
  EXPECT_EQ(defanged.out.find("http://"), std::string::npos);
  EXPECT_EQ(defanged.out.find("evil.example"), std::string::npos);
  EXPECT_TRUE(PythonAccepts(defanged.out,
                            "assert rows[0]['url'] == 'hxxp[://]evil[.]example/x'\n"
                            "assert rows[0]['browser_host'] == 'evil[.]example'\n"
                            "assert rows[1]['window_dotted'] == '192[.]168[.]1[.]1' and "
                            "rows[1]['window_decimal'] == '3232235777'\n"
                            "assert rows[1]['trace'][-1]['text'] == '192[.]168[.]1[.]1/'\n"));
}

TEST_F(ProgramTest, ConvertsAddressesBetweenNotations) {
  const Outcome run = Cli("convert 192.168.1.1 3232235777 C0A80101 4294967296");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      Column(run.out, "dotted"),
      (std::vector<std::string>{"192.168.1.1", "192.168.1.1", "192.168.1.1", "255.255.255.255"}));
  EXPECT_EQ(Column(run.out, "hex"),
            (std::vector<std::string>{"C0A80101", "C0A80101", "C0A80101", "FFFFFFFF"}));
  EXPECT_EQ(Column(run.out, "note"),
            (std::vector<std::string>{"", "", "", "over range, corrected to 4294967295"}));
  EXPECT_EQ(Column(Cli("convert", "10.1\n").out, "decimal"),
            (std::vector<std::string>{"167837696"}));
}

TEST_F(ProgramTest, HandlesATenMebibyteLine) {
  std::string url = "http://decoy@3232235777/";
  std::string host_text = "192.168.1.1/";
  constexpr std::size_t kTenMebibytes = std::size_t{10} * 1024 * 1024;
  while (url.size() < kTenMebibytes) {
    url += "%41bcdefgh/";
    host_text += "Abcdefgh/";
  }
  const Outcome run = Cli("--tsv", url + "\nhttp://after.test/\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Column(run.out, "window_dotted"), (std::vector<std::string>{"192.168.1.1", ""}));
  EXPECT_TRUE(Column(run.out, "url")[0] == url);
  EXPECT_TRUE(Column(run.out, "window_host_text")[0] == host_text);
}

TEST_F(ProgramTest, SkipsALineTooLongToHoldAndSaysSo) {
  constexpr std::size_t kOverTheLimit = std::size_t{65} * 1024 * 1024;
  const Outcome run =
      Cli("--tsv", "http://a.test/" + std::string(kOverTheLimit, 'a') + "\nhttp://b.test/\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "morvik-cli: -:1: line longer than 64 MiB skipped\n");
  EXPECT_EQ(Column(run.out, "browser_host"), (std::vector<std::string>{"b.test"}));
  EXPECT_EQ(Column(run.out, "line"), (std::vector<std::string>{"2"}));
}

TEST_F(ProgramTest, StopsQuietlyWhenTheReaderGoesAway) {
  std::string input;
  for (int i = 0; i < 200000; ++i) input += "http://host" + std::to_string(i) + ".test/\n";
  const Outcome run = Shell(R"("$CLI" --tsv | head -n 3; echo "status ${PIPESTATUS[0]}")", input);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  EXPECT_EQ(Fields(lines[2]).at(2), "http://host1.test/");  // nothing lost before the pipe closed
  EXPECT_EQ(lines[3], "status 0");
  EXPECT_EQ(run.err, "");
}

TEST_F(ProgramTest, DeliversEveryLineOfALongInput) {
  std::string input;
  for (int i = 0; i < 100000; ++i) input += "http://" + std::to_string(i) + "/\n";
  const Outcome run = Cli("--tsv", input);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> dotted = Column(run.out, "window_dotted");
  ASSERT_EQ(dotted.size(), 100000u);
  EXPECT_EQ(dotted.back(), "0.1.134.159");  // 99999
}

TEST_F(ProgramTest, NeverTouchesTheNetworkWithoutResolve) {
  const std::string preload = "LD_PRELOAD=" + Quote(MORVIK_NO_NETWORK_SHIM) + " ";
  const std::string names =
      " 'http://server1.example.test/' 'http://www.example.com/' 'http://1.2.3.4/'";
  const Outcome without = Shell(preload + "\"$CLI\" --tsv" + names);
  ASSERT_EQ(without.status, 0) << without.err;
  const std::vector<std::string> notes = Column(without.out, "window_note");
  ASSERT_FALSE(notes.empty()) << without.out;
  EXPECT_EQ(notes[0], "a name; looked up only with --resolve");
  // The shim does catch a look-up when one is made.
  const Outcome with = Shell(preload + "\"$CLI\" --tsv --resolve" + names);
  EXPECT_EQ(with.status, 99);
  EXPECT_NE(with.err.find("no-network shim"), std::string::npos);
}

TEST_F(ProgramTest, ResolvesThroughThePrivateHostsFile) {
  const Outcome run = Shell(Quote(MORVIK_WITH_PRIVATE_HOSTS) +
                            " \"$CLI\" --tsv --resolve 'http://decoy@server1.example.test/' "
                            "'http://x.test/@server1.example.test/' 'http://unknown-host.test/'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Column(run.out, "window_dotted"),
            (std::vector<std::string>{"10.0.0.5", "10.0.0.5", "0.0.0.0"}));
  EXPECT_EQ(Column(run.out, "window_note"),
            (std::vector<std::string>{"looked up", "looked up", "look-up failed or gave 0.0.0.0"}));
  EXPECT_EQ(Column(run.out, "same"), (std::vector<std::string>{"true", "false", "true"}));
  EXPECT_EQ(Column(run.out, "reasons")[1], "@ in path or query");
}

TEST_F(ProgramTest, ShowsProgressOnlyOnATerminalThatIsNotShowingResults) {
  // When the line is drawn is the progress line's own test; here, only
  // where. The input keeps arriving for well over a second after the
  // program has started: the pipe fills before the first pause, so every
  // pause falls while the program runs, however slow the machine. script(1)
  // gives the program a terminal for standard error while its results go
  // to a file.
  const std::string feed =
      "for burst in $(seq 12); do for i in $(seq 5000); do echo http://a$i.test/; done; "
      "sleep 0.2; done";
  const Outcome on_terminal =
      Shell("script -qec " + Quote("(" + feed + ") | \"$CLI\" > " + Quote(Path("results"))) +
            " /dev/null");
  EXPECT_EQ(on_terminal.status, 0) << on_terminal.err;
  EXPECT_NE(on_terminal.out.find(" lines, "), std::string::npos) << on_terminal.out;
  EXPECT_EQ(Lines(ReadFile(Path("results"))).size(), 60001u);

  const Outcome off_terminal = Shell("(" + feed + ") | \"$CLI\" > /dev/null");
  EXPECT_EQ(off_terminal.status, 0);
  EXPECT_EQ(off_terminal.err, "");
}

}  // namespace
}  // namespace morvik
