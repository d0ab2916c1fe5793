#pragma once
// One found link as an output record: the fields every URL has (the
// readings, the comparison, the reasons), and where the link was found and
// what the reader is shown. The only place where `scan` meets the per-URL
// pipeline.

#include <cstdint>
#include <string_view>

#include "compare/url_report.h"
#include "report/record.h"
#include "report/url_record.h"
#include "scan/document.h"

namespace morvik {

struct LinkVerdict {
  bool disguised = false;  // the link uses at least one disguise
  bool disagrees = false;  // the readings part ways, or the shown text names another host
  bool lookalike = false;  // the browser's host is a look-alike name
};

// `report` receives the link's analysis; the record points into it and into
// `link`, and both must live until the record is written. `source` names
// the input, `message` the message's place in it.
LinkVerdict DescribeScannedLink(std::string_view source, std::int64_t message,
                                const ScannedLink& link, const UrlAnalysisOptions& analysis,
                                const UrlRecordOptions& describing, UrlReport& report,
                                Record& record);

// What a message's links come to, for the line after them on a terminal.
struct MessageTally {
  std::int64_t links = 0;
  std::int64_t disguised = 0;
  std::int64_t disagreements = 0;
  std::int64_t lookalikes = 0;

  void Add(const LinkVerdict& verdict);
  // "3 links, 1 disguised, 0 disagreements, 1 look-alike".
  Text Summary() const;
};

}  // namespace morvik
