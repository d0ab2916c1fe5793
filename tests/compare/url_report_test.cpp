// Many URLs analysed at once say of each what it says alone, whatever was
// analysed in the same place before.

#include "compare/url_report.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace morvik {
namespace {

// What a report says, in one text to compare.
std::string Summary(const UrlReport& report) {
  std::string summary = std::string(report.url()) + " | " + report.browser.host.ascii + " | " +
                        report.window.host_text + " | " + (report.comparison.same ? "same" : "");
  for (const char* reason : report.comparison.reasons) summary += std::string(" ") + reason;
  for (const Disguise& disguise : report.disguises.found) {
    summary += " | " + std::string(disguise.name) + ": " + disguise.detail;
  }
  for (const TraceStep& step : report.trace) summary += " | " + step.step + ": " + step.text;
  if (report.disguises.leads_to) summary += " -> " + *report.disguises.leads_to;
  return summary;
}

const std::vector<std::string> kUrls = {
    "http://www.paypal.com@3232235777/login",
    "hxxp://a[.]test/",  // refanged, shorter than the input: a text held in the report itself
    "https://www.ikea.cn/h5page?url=https://protect-ledger.com/x",
    "http://%70%61%79%70%61%6c.example/",
    "javascript:alert(1)",
    "mailto:someone@example.com",
    "http://[::1]:8080/",
    "",
    "//cdn.example/x.png",
};

TEST(UrlReportTest, AnalysesManyUrlsAsEachAlone) {
  for (const bool refang : {false, true}) {
    for (const bool trace : {false, true}) {
      for (const bool defang : {false, true}) {
        const UrlAnalysisOptions options{.refang = refang, .trace = trace, .defang = defang};
        const std::vector<std::string_view> inputs(kUrls.begin(), kUrls.end());
        // Room used before for other URLs, more of them than now, with
        // every option.
        std::vector<UrlReport> reports(inputs.size() + 2);
        const std::vector<std::string_view> before(inputs.size() + 2, "hxxp://u@before[.]example/");
        AnalyseUrls(before, {.refang = true, .trace = true, .defang = true}, reports);
        AnalyseUrls(inputs, options, reports);
        for (std::size_t i = 0; i < inputs.size(); ++i) {
          EXPECT_EQ(Summary(reports[i]), Summary(AnalyseUrl(inputs[i], options)))
              << inputs[i] << " refang " << refang << " trace " << trace << " defang " << defang;
        }
      }
    }
  }
}

}  // namespace
}  // namespace morvik
