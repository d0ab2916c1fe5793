// Every disagreement has a named reason: 50,000 URLs built from the decoys
// the reasons cover (schemes and slashes, user parts, number forms, escapes,
// names and look-alikes, ports, markers further on) each get one that says
// what made the readings part, never only the last resort of comparing the
// host texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "compare/url_report.h"

namespace morvik {
namespace {

const std::vector<std::string> kSchemes = {"http://",
                                           "https://",
                                           "HTTP://",
                                           "http:\\\\",
                                           "http:/",
                                           "http:///",
                                           "http:",
                                           "",
                                           "ftp://",
                                           "file://",
                                           "mailto:",
                                           "http:/\\",
                                           "ws://"};
const std::vector<std::string> kUserParts = {
    "", "", "user@", "bank.example&item=1@", "a@b@", "user:pw@", "%40@", "good.test\\@"};
const std::vector<std::string> kHosts = {"example.com",
                                         "EXAMPLE.COM",
                                         "3232235777",
                                         "0x7f.1",
                                         "0x7f000001",
                                         "010.0.0.1",
                                         "127.1",
                                         "127.0.0.1.",
                                         "127.0.0.1",
                                         "127%2e0%2e0%2e1",
                                         "4294967296",
                                         "1.2.3.256",
                                         "mail.example.co.test",
                                         "host_a.test",
                                         "b\u00FCcher.de",
                                         "xn--pple-43d.com",
                                         "\xD0\xB0\xD1\x80\xD1\x80\xD3\x8F\xD0\xB5.com",
                                         "[::1]",
                                         "[::1",
                                         "a b.com",
                                         "%252e",
                                         "xn--zz.test",
                                         "ex\tample.com",
                                         "1.2.3.4x",
                                         "",
                                         "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x97.0.0.1"};
const std::vector<std::string> kPorts = {"", "", ":80", ":8080", ":99999", ":x"};
const std::vector<std::string> kRests = {"",
                                         "/",
                                         "/p",
                                         "/x@evil.test",
                                         "/p:\\\\evil.com/",
                                         "/a://evil.com/",
                                         "?q=http://evil.test/",
                                         "#@evil.test",
                                         "\\@evil.test",
                                         "/%2Flogin",
                                         "/%61bc",
                                         "/C:\\\\x"};

TEST(ReasonCorpusTest, EveryDisagreementHasANamedReason) {
  std::mt19937 random(20261209);
  const auto pick = [&](const std::vector<std::string>& parts) -> const std::string& {
    return parts[random() % parts.size()];
  };
  int unexplained = 0;
  std::vector<std::string> shapes;
  for (int i = 0; i < 50000; ++i) {
    const std::string url =
        pick(kSchemes) + pick(kUserParts) + pick(kHosts) + pick(kPorts) + pick(kRests);
    const UrlReport report = AnalyseUrl(url, {});
    const std::vector<const char*>& reasons = report.comparison.reasons;
    const bool last_resort = std::any_of(reasons.begin(), reasons.end(), [](const char* reason) {
      return std::strcmp(reason, "different host text") == 0;
    });
    const bool named = report.comparison.same || (!reasons.empty() && !last_resort);
    if (!named && ++unexplained <= 10) shapes.push_back(url);
  }
  EXPECT_EQ(unexplained, 0) << "first shapes: " << ::testing::PrintToString(shapes);
}

}  // namespace
}  // namespace morvik
