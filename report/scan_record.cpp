#include "report/scan_record.h"

#include "compare/disguise_names.h"
#include "compare/hidden_characters.h"
#include "compare/reasons.h"
#include "scan/shown_host.h"
#include "support/refang.h"

namespace morvik {
namespace {

// "1 link", "2 links".
Text Counted(std::int64_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

LinkVerdict DescribeScannedLink(std::string_view source, std::int64_t message,
                                const ScannedLink& scanned, const UrlAnalysisOptions& analysis,
                                const UrlRecordOptions& describing, UrlReport& report,
                                Record& record) {
  const FoundLink& link = scanned.link;
  UrlAnalysisOptions exact = analysis;
  exact.refang = false;  // links are refanged where they are found
  report = AnalyseUrl(link.url, exact);
  // The shown text is read once, for the reason and the disguise alike.
  const std::optional<Text> shown_host = report.browser.ok() ? ShownHost(link.shown) : std::nullopt;
  const bool shown_elsewhere = shown_host && NamesAnotherHost(*shown_host, report.browser);
  if (shown_elsewhere)
    report.comparison.reasons.push_back(ReasonPhrase(Reason::ShownTextNamesAnotherHost));
  if (shown_host && NamesAnotherSite(*shown_host, report.browser)) {
    AddDisguise(report.disguises.found,
                kShownTextDisguise,
                Evidence(analysis.defang ? DefangHost(*shown_host) : *shown_host));
  }
  Disguises in_shown_text;
  FindHiddenCharactersInShownText(link.shown, link.url, in_shown_text);
  for (Disguise& disguise : in_shown_text) {
    AddDisguise(report.disguises.found,
                disguise.name,
                analysis.defang ? DefangUrl(disguise.detail) : std::move(disguise.detail));
  }
  // A QR code that holds no URL: its row says what it holds instead.
  if (link.payload_kind != nullptr) report.comparison.reasons = {link.payload_kind};

  DescribeUrlReadings(source, link.line, report, describing, record);
  record.AddNumber("message", message);
  record.AddText("part", link.part);
  record.AddPlainText("element", link.element);
  record.AddNumber("offset", link.offset);
  if (describing.defang && ShownHost(link.shown)) {
    record.AddOwnedText("shown", DefangUrl(link.shown));
  } else {
    record.AddText("shown", link.shown);
  }
  record.AddNumber("count", scanned.count);
  DescribeDisguises(report, describing, record);

  LinkVerdict verdict;
  verdict.disguised = !report.disguises.found.empty();
  verdict.disagrees = link.payload_kind == nullptr && (!report.comparison.same || shown_elsewhere);
  const BrowserHost& host = report.browser.host;
  verdict.lookalike = report.browser.ok() && host.kind == BrowserHostKind::Domain &&
                      host.lookalike != LookAlike::None && host.lookalike != LookAlike::NotChecked;
  return verdict;
}

void MessageTally::Add(const LinkVerdict& verdict) {
  links += 1;
  disguised += verdict.disguised ? 1 : 0;
  disagreements += verdict.disagrees ? 1 : 0;
  lookalikes += verdict.lookalike ? 1 : 0;
}

Text MessageTally::Summary() const {
  return Counted(links, "link") + ", " + std::to_string(disguised) + " disguised, " +
         Counted(disagreements, "disagreement") + ", " + Counted(lookalikes, "look-alike");
}

}  // namespace morvik
