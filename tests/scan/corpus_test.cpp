// `scan` over the messages and pages under tests/cli/scan/: every link each
// holds, where it stands, what the reader is shown, where it goes, and
// whether the shown text names another host.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "browser/reading.h"
#include "scan/document.h"
#include "scan/shown_host.h"

namespace morvik {
namespace {

struct CorpusCase {
  const char* file;
  InputKind kind;
  // Each link as "part|element|shown|url|count", with "|another" when the
  // shown text names another host than the browser's.
  std::vector<std::string> links;
};

const std::string kLong =
    "https://login.mybank-secure.example/account/verify?session=4f9a1c2b7e3d5a6f8b9c0d1e2f3a4b5c";

const CorpusCase kCorpus[] = {
    {"href_text_mismatch.eml",
     InputKind::Mail,
     {"1|a|https://mybank.example/login|http://mybank-example.verify-id.example/login|1|another",
      "1|a|Help centre|https://mybank.example/help|2",
      "1|a|https://mybank.example/privacy|https://mybank.example/privacy|1",
      "1|a|www.mybank.example|http://0x7f.1/track|1|another",
      "1|a|https://paypal.com/signin|https://xn--pypal-4ve.com/signin|1|another"}},
    {"nested_multipart.eml",
     InputKind::Mail,
     {"1.1|text|https://files.example/invoice.pdf|https://files.example/invoice.pdf|1",
      "1.2|a|the invoice|https://files.example/invoice.pdf|1",
      "2|text|https://partner.example/invoice/42|https://partner.example/invoice/42|1"}},
    {"qp_soft_break.eml",
     InputKind::Mail,
     {"1|text|" + kLong + "|" + kLong + "|1", "2|a|Sign in|" + kLong + "|1"}},
    {"html_entities.html",
     InputKind::Html,
     {"|a|Account|http://evil.example/?a=1&b=2|1", "|a|pay.example|https://pay.example/go|1"}},
    {"base64_html.eml",
     InputKind::Mail,
     {"1|a|https://caf\xC3\xA9.example/|https://offers.example/caf\xC3\xA9|1|another"}},
    {"defanged_iocs.txt",
     InputKind::Text,
     {"|text|hxxp://evil[.]example/payload.exe|http://evil.example/payload.exe|1",
      std::string("|text|hxxps[://]login.mybank-secure[.]example/verify|") +
          "https://login.mybank-secure.example/verify|1",
      "|text|update-server(.)example|update-server.example|1",
      "|text|203.0.113[.]7|203.0.113.7|1",
      "|text|hxxp://reports[.]example/2026/12|http://reports.example/2026/12|1",
      "|text|www.example.org/start|www.example.org/start|1",
      "|text|https://example.com/a_(b)|https://example.com/a_(b)|1"}},
    {"form_elsewhere.html",
     InputKind::Html,
     {"|meta||https://timeout.example/|1",
      "|form||https://collector.example/post.php|1",
      "|form||https://mybank.example/secure/login.php|1",
      "|img||https://mybank.example/logo.png|1",
      "|iframe||https://ads.example/frame|1",
      "|area|Map|https://map.example/|1"}},
    // Folded calendar lines joined, "\\n" ending a URL; the page's visible
    // text read (not its title or script, not again where a link goes
    // there), "//host" read with https:, a script target kept, an image's
    // data: left out.
    {"calendar_invite.eml",
     InputKind::Mail,
     {// One row, split for width.
      "1|text|https://api.scheduler.teams.microsoft.example/join?id=42|"  // NOLINT(bugprone-suspicious-missing-comma)
      "https://api.scheduler.teams.microsoft.example/join?id=42|1",
      "1|text|https://meet.example/r/42|https://meet.example/r/42|2",
      "2|img||https://cdn.example/logo.png|1",
      "2|a|Open the agenda|javascript:window.location='https://evil.example/'|1",
      "2|text|www.notes.example/agenda|www.notes.example/agenda|1"}},
    // A right-to-left override in a link and its text; a zero-width space
    // in a host.
    {"hidden_characters.html",
     InputKind::Html,
     {"|a|https://bank.example/invoice\u202E|https://evil.example/\u202E"
      "fdp.exe|1|another",
      "|a|Sign in to ex\u200B"
      "ample.com|https://ex\u200B"
      "ample.com/|1"}},
};

std::string ReadCorpusFile(const std::string& name) {
  std::ifstream file(std::string(MORVIK_SCAN_CORPUS) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class ScanCorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(ScanCorpusTest, FindsEveryLinkWhereItStands) {
  const std::string bytes = ReadCorpusFile(GetParam().file);
  ASSERT_FALSE(bytes.empty()) << GetParam().file;
  EXPECT_EQ(DetectInputKind(bytes), GetParam().kind);
  std::vector<std::string> found;
  std::vector<Text> problems;
  int messages = 0;
  ScanBytes(bytes, GetParam().kind, MailLimits{}, [&](ScannedMessage& message) {
    ++messages;
    problems.insert(problems.end(), message.problems.begin(), message.problems.end());
    for (const ScannedLink& scanned : message.links) {
      const FoundLink& link = scanned.link;
      std::string row = link.part + "|" + std::string(link.element) + "|" + link.shown + "|" +
                        link.url + "|" + std::to_string(scanned.count);
      if (ShownTextNamesAnotherHost(link.shown, ReadAsBrowser(link.url))) row += "|another";
      found.push_back(row);
    }
    return true;
  });
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(found, GetParam().links);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ScanCorpusTest, ::testing::ValuesIn(kCorpus));

}  // namespace
}  // namespace morvik
