#pragma once
// The fields of one URL's output line, in the order every format uses.

#include <cstdint>
#include <string_view>

#include "compare/url_report.h"
#include "report/record.h"

namespace morvik {

struct UrlRecordOptions {
  bool defang = false;  // URLs, hosts and addresses written defanged
  bool trace = false;   // add the "trace" field
};

// `source` names the input ("arg", "-" for standard input, or a file name)
// and `line` the line in it (the argument's number for "arg").
void DescribeUrlReport(std::string_view source, std::int64_t line, const UrlReport& report,
                       const UrlRecordOptions& options, Record& record);

// The same without the disguises, for a record that adds fields of its own
// before them.
void DescribeUrlReadings(std::string_view source, std::int64_t line, const UrlReport& report,
                         const UrlRecordOptions& options, Record& record);

// The last two fields of every URL and scanned link: "disguises" and
// "leads_to" (the host a redirect finally leads to, or null).
void DescribeDisguises(const UrlReport& report, const UrlRecordOptions& options, Record& record);

}  // namespace morvik
