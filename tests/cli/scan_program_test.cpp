// `morvik-cli scan` as a user runs it: the corpus in every format, and bad
// inputs, each of which is named on standard error while the inputs after it
// are still scanned.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_harness.h"

namespace morvik {
namespace {

using cli_test::Outcome;
using cli_test::Quote;
using cli_test::ReadFile;

std::string Scratch(const std::string& name) { return cli_test::ScratchPath(name); }

// Runs morvik-cli with `arguments` (shell words: quote paths), standard
// input from the file `input` through a pipe.
Outcome RunCli(const std::string& arguments, const std::string& input = "/dev/null") {
  return cli_test::RunShell("cat | \"$CLI\" " + arguments, input);
}

// The quoted path of a corpus file.
std::string Corpus(const std::string& name) {
  return Quote(std::string(MORVIK_SCAN_CORPUS) + "/" + name);
}
std::string CorpusPath(const std::string& name) {
  return std::string(MORVIK_SCAN_CORPUS) + "/" + name;
}

std::string Message(const std::string& headers, const std::string& body) {
  return "From: a@example.org\r\nSubject: test\r\nMIME-Version: 1.0\r\n" + headers + "\r\n\r\n" +
         body;
}

std::string Nested(int depth) {
  std::string open;
  std::string close;
  for (int level = 0; level < depth; ++level) {
    const std::string boundary = "b" + std::to_string(level);
    open.append("Content-Type: multipart/mixed; boundary=\"").append(boundary);
    open.append("\"\r\n\r\n--").append(boundary).append("\r\n");
    close.insert(0, "\r\n--" + boundary + "--\r\n");
  }
  std::string message = "From: a@example.org\r\nMIME-Version: 1.0\r\n";
  message.append(open).append("Content-Type: text/plain\r\n\r\nhttps://deep.example/\r\n");
  return message.append(close);
}

struct BadInputCase {
  const char* name;
  std::function<std::string()> bytes;
  const char* complaint;  // on standard error, after the file's name (and the MIME part's)
  // 1 when part of the input could not be read; 0 when all of it was read,
  // if not as labelled (a note).
  int status = 1;
  const char* found = "";  // a URL in the damaged input that is read all the same
};

const BadInputCase kBadInputs[] = {
    {"truncated",
     [] {
       return Message("Content-Type: multipart/mixed; boundary=\"x\"",
                      "--x\r\nContent-Type: text/plain\r\n\r\nhttps://cut.example/ and mo");
     },
     "message truncated"},
    {"unknown_charset",
     [] {
       return Message("Content-Type: text/plain; charset=x-no-such",
                      "caf\xC3\xA9 https://label.example/");
     },
     "charset 'x-no-such' unknown; read as UTF-8",
     0,
     "https://label.example/"},
    {"wrong_charset",
     [] {
       return Message("Content-Type: text/plain; charset=utf-8", "caf\xE9 https://l.example/");
     },
     "text is not valid utf-8; read as ISO-8859-1",
     0,
     "https://l.example/"},
    {"control_bytes_in_label",  // shown harmless: the label cannot steer the terminal
     [] {
       return Message("Content-Type: text/plain; charset=\"\x1b]0;x\x07\"", "https://l.example/");
     },
     "charset '<U+001B>]0;x<U+0007>' unknown",
     0},
    {"direction_control_in_label",  // nor reorder the line
     [] {
       return Message("Content-Type: text/plain; charset=\"x\u202Eyz\"", "https://l.example/");
     },
     "charset 'x<U+202E>yz' unknown",
     0},
    {"unclosed_boundary_quote",
     [] {
       return Message(
           "Content-Type: multipart/alternative; boundary=\"x",
           "--x\r\nContent-Type: text/plain\r\n\r\nhttps://inside.example/\r\n--x--\r\n");
     },
     "boundary quote not closed; read as x",
     0,
     "https://inside.example/"},
    {"too_deep", [] { return Nested(40); }, "parts nested deeper than 32 levels"},
    {"binary",
     [] {
       return std::string(
           "\x7F"
           "ELF\x02\x01\x01\0\0\0junk",
           14);
     },
     "binary data"},
};

void PrintTo(const BadInputCase& c, std::ostream* out) { *out << c.name; }

class ScanBadInputTest : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(ScanBadInputTest, NamesTheDamageAndScansTheRest) {
  const std::string bad = Scratch(std::string(GetParam().name) + ".eml");
  std::ofstream(bad, std::ios::binary) << GetParam().bytes();
  const Outcome outcome = RunCli("scan --tsv " + Quote(bad) + " " + Corpus("html_entities.html"));
  EXPECT_EQ(outcome.status, GetParam().status);
  EXPECT_EQ(outcome.err.find("morvik-cli: " + bad + ": "), 0U) << outcome.err;
  EXPECT_NE(outcome.err.find(GetParam().complaint), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.out.find(GetParam().found), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("http://evil.example/?a=1&b=2"), std::string::npos) << outcome.out;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanBadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScanProgramTest, GoesOnPastAFileItCannotOpen) {
  const Outcome outcome = RunCli("scan --tsv /nonexistent/x.eml " + Corpus("qp_soft_break.eml"));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("cannot read '/nonexistent/x.eml'"), std::string::npos);
  EXPECT_NE(outcome.out.find("session=4f9a1c2b7e3d5a6f8b9c0d1e2f3a4b5c"), std::string::npos);
}

TEST(ScanProgramTest, LeavesALargeAttachmentUndecoded) {
  // 24 MiB of base64 that would hold a link if it were decoded.
  const std::string path = Scratch("large.eml");
  {
    std::ofstream file(path, std::ios::binary);
    file << Message("Content-Type: multipart/mixed; boundary=\"x\"",
                    "--x\r\nContent-Type: text/plain\r\n\r\nhttps://small.example/\r\n--x\r\n"
                    "Content-Type: application/zip\r\nContent-Transfer-Encoding: base64\r\n\r\n");
    const std::string line = "aHR0cHM6Ly9oaWRkZW4uZXhhbXBsZS8gaHR0cHM6Ly9oaWRkZW4uZXhhbXBsZS8g\r\n";
    for (int i = 0; i < 24 * 1024 * 1024 / 66; ++i) file << line;
    file << "\r\n--x--\r\n";
  }
  const Outcome outcome = RunCli("scan --tsv " + Quote(path));
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("https://small.example/"), std::string::npos);
  EXPECT_EQ(outcome.out.find("hidden.example"), std::string::npos);
}

TEST(ScanProgramTest, WritesTheNewFieldsInEveryFormat) {
  const std::string file = Corpus("href_text_mismatch.eml");
  const Outcome tsv = RunCli("scan --tsv " + file);
  EXPECT_EQ(tsv.status, 0) << tsv.err;
  const std::string header = tsv.out.substr(0, tsv.out.find('\n'));
  for (const char* field : {"source",
                            "line",
                            "url",
                            "browser_host",
                            "reasons",
                            "message",
                            "part",
                            "element",
                            "offset",
                            "shown",
                            "count"}) {
    EXPECT_NE(header.find(field), std::string::npos) << field;
  }
  EXPECT_NE(tsv.out.find("shown text names another host"), std::string::npos);

  const Outcome json = RunCli("scan --json --defang " + file);
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"shown\":\"hxxps[://]mybank[.]example/login\""), std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"count\":2"), std::string::npos);
  EXPECT_NE(json.out.find("\"element\":\"a\""), std::string::npos);

  const Outcome table = RunCli("scan --table " + file);
  EXPECT_EQ(table.status, 0) << table.err;
  EXPECT_NE(table.out.find("SHOWN"), std::string::npos);
}

TEST(ScanProgramTest, SumsUpEachMessageOnATerminalOnly) {
  // script(1) gives the program a terminal for its output.
  const std::string file = CorpusPath("href_text_mismatch.eml");
  const Outcome terminal =
      cli_test::RunShell("script -qec " + Quote("\"$CLI\" scan " + Quote(file)) + " /dev/null");
  EXPECT_EQ(terminal.status, 0) << terminal.err;
  EXPECT_NE(terminal.out.find(file + ": 5 links, 3 disguised, 3 disagreements, 1 look-alike\r\n"),
            std::string::npos)
      << terminal.out;
  const Outcome file_output = RunCli("scan --table " + Quote(file));
  EXPECT_NE(file_output.out.find("DISGUISES"), std::string::npos) << file_output.out;
  EXPECT_EQ(file_output.out.find(": 5 links"), std::string::npos) << file_output.out;
}

// The page of a phishing message with a right-to-left override and a
// zero-width space, in each format and on a terminal or not.
struct HiddenOutputCase {
  std::string arguments;
  bool terminal;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

const HiddenOutputCase kHiddenOutputCases[] = {
    {"--table",
     true,
     {"  https://bank.example/invoice<U+202E>  ",
      "  https://evil.example/<U+202E>fdp.exe  ",
      "  Sign in to ex<U+200B>ample.com  "},
     {"\u202E", "\u200B"}},
    {"", true, {"/<U+202E>fdp.exe  ", "ex<U+200B>ample.com/  "}, {"\u202E", "\u200B"}},
    {"--tsv", true, {"/<U+202E>fdp.exe\t", "invoice<U+202E>\t"}, {"\u202E", "\u200B"}},
    {"--tsv",
     false,
     {"/\u202E"
      "fdp.exe\t",
      "ex\u200B"
      "ample"},
     {"<U+"}},
    {"--tsv --escape-controls", false, {"/<U+202E>fdp.exe\t", "ex<U+200B>ample"}, {"\u202E"}},
    {"--json",
     false,
     {R"(/\u202efdp.exe")",
      R"(ex\u200bample)",
      // Both links name their disguise, with how it shows.
      R"({"name":"direction control","detail":"U+202E RIGHT-TO-LEFT OVERRIDE in the path; )"
      R"(shows as \"/exe.pdf\""})",
      R"({"name":"invisible character","detail":"U+200B ZERO WIDTH SPACE in the host; reads )"
      R"(\"example.com\" without it"})"},
     {"\u202E", "\u200B", "<U+"}},
};

class ScanHiddenOutputTest : public ::testing::TestWithParam<HiddenOutputCase> {};

TEST_P(ScanHiddenOutputTest, NeverHandsAPersonTheRawCharacters) {
  const HiddenOutputCase& test = GetParam();
  const std::string command =
      "\"$CLI\" scan " + test.arguments + " " + Corpus("hidden_characters.html");
  // script(1) gives the program a terminal for its output, wide enough
  // for whole cells.
  const Outcome outcome =
      test.terminal
          ? cli_test::RunShell("script -qec " + Quote("stty cols 400; " + command) + " /dev/null")
          : cli_test::RunShell(command);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  for (const std::string& text : test.present) {
    EXPECT_NE(outcome.out.find(text), std::string::npos) << text << " in\n" << outcome.out;
  }
  for (const std::string& text : test.absent) {
    EXPECT_EQ(outcome.out.find(text), std::string::npos) << text << " in\n" << outcome.out;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanHiddenOutputTest, ::testing::ValuesIn(kHiddenOutputCases));

TEST(ScanProgramTest, ReadsAMailboxFromAPipe) {
  const std::string one = ReadFile(CorpusPath("href_text_mismatch.eml"));
  const std::string two = ReadFile(CorpusPath("qp_soft_break.eml"));
  const std::string mbox = Scratch("box.mbox");
  std::ofstream(mbox, std::ios::binary) << "From a@example.org Mon Dec  7 09:14:00 2026\n"
                                        << one << "\nFrom b@example.org Mon Dec  7 09:15:00 2026\n"
                                        << two;
  const Outcome outcome = RunCli("scan --json -", mbox);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("\"message\":1,"), std::string::npos);
  EXPECT_NE(outcome.out.find("\"message\":2,\"part\":\"2\""), std::string::npos) << outcome.out;
}

std::size_t Occurrences(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
    ++count;
  return count;
}

// A message with a PDF (labelled image/jpeg) and a PNG, scanned twice: the
// links come with their page, or a build without a reader says so once.
TEST(ScanProgramTest, ReadsPdfsAndQrCodesOrSaysOnceThatItCannot) {
  const Outcome outcome = RunCli("scan --tsv " MORVIK_PDF_SAMPLE " " MORVIK_PDF_SAMPLE);
  const std::size_t pdf_rows = Occurrences(outcome.out, "\tpdf-link\t");
  const std::size_t qr_rows = Occurrences(outcome.out, "\tqr\t");
  EXPECT_EQ(pdf_rows, MORVIK_SCAN_READS_PDF ? 4u : 0u) << outcome.out;
  EXPECT_EQ(qr_rows, (MORVIK_SCAN_READS_PDF ? 2u : 0u) + (MORVIK_SCAN_READS_QR ? 2u : 0u));
  EXPECT_EQ(Occurrences(outcome.err, "this build reads no PDF"), MORVIK_SCAN_READS_PDF ? 0u : 1u);
  EXPECT_EQ(Occurrences(outcome.err, "this build reads no QR codes"),
            MORVIK_SCAN_READS_QR ? 0u : 1u);
  EXPECT_EQ(outcome.status, MORVIK_SCAN_READS_PDF && MORVIK_SCAN_READS_QR ? 0 : 1) << outcome.err;
  if (MORVIK_SCAN_READS_PDF) {
    // The annotation's page and the text under it, whose host is not the link's.
    EXPECT_NE(outcome.out.find("\t1\thttp://mybank-example.verify-id.example/login\t"),
              std::string::npos);
    EXPECT_NE(outcome.out.find("shown text names another host\t1\t2\tpdf-link\t0\t"
                               "https://mybank.example/login\t"),
              std::string::npos);
  }
}

TEST(ScanProgramTest, NamesAnEncryptedPdfAndScansTheOthers) {
  const Outcome outcome =
      RunCli("scan --tsv " + Corpus("encrypted.pdf") + " " + Corpus("html_entities.html"));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find(MORVIK_SCAN_READS_PDF ? CorpusPath("encrypted.pdf") +
                                                         ": PDF encrypted (it needs a password)"
                                                   : std::string("this build reads no PDF")),
            std::string::npos)
      << outcome.err;
  EXPECT_NE(outcome.out.find("http://evil.example/?a=1&b=2"), std::string::npos);
}

TEST(ScanProgramTest, TakesAsOnlyForScan) {
  EXPECT_EQ(RunCli("--as html x").status, 2);
  EXPECT_EQ(RunCli("scan --as docx x").status, 2);
  const Outcome forced = RunCli("scan --tsv --as text " + Corpus("html_entities.html"));
  EXPECT_EQ(forced.status, 0);
  EXPECT_EQ(forced.out.find("evil.example"), std::string::npos);  // entities stay text
}

}  // namespace
}  // namespace morvik
