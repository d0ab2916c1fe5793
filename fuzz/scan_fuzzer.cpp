// `scan`'s front end: message bytes in, records out. Whatever the bytes, the
// reading ends, every link has a URL (or is a QR code that holds none), a
// place and a count, and each record is one TSV line with one tab between
// fields and one JSON object.
// The first byte chooses how the rest is taken: told from the content, or
// as a message, a mailbox, a page or a text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "report/output_format.h"
#include "report/scan_record.h"
#include "scan/document.h"

namespace morvik::fuzz {
namespace {

std::size_t CountByte(std::string_view text, char byte) {
  std::size_t count = 0;
  for (const char c : text) count += c == byte ? 1 : 0;
  return count;
}

void CheckScan(std::string_view input) {
  const unsigned char choice = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
  const std::string_view bytes = input.empty() ? input : input.substr(1);
  constexpr InputKind kKinds[] = {
      InputKind::Mail, InputKind::Mailbox, InputKind::Html, InputKind::Text};
  const InputKind kind = choice % 5 == 4 ? DetectInputKind(bytes) : kKinds[choice % 5];
  const Text original(input);
  MailLimits limits;
  limits.deepest_nesting = 8;
  limits.attachments.most_pages = 2;  // PDFs and images have targets of their own
  limits.attachments.most_rendered_pages = 1;
  limits.attachments.most_pixels = 250'000;
  UrlAnalysisOptions analysis;
  analysis.trace = (choice & 8) != 0;
  UrlRecordOptions describing;
  describing.defang = (choice & 16) != 0;
  describing.trace = analysis.trace;
  std::int64_t last_message = 0;
  ScanBytes(bytes, kind, limits, [&](ScannedMessage& message) {
    Require(message.number == last_message + 1, "messages are numbered in order", original);
    last_message = message.number;
    for (const ScannedLink& link : message.links) {
      Require(!link.link.url.empty() || link.link.payload_kind != nullptr,
              "every link has a URL, or is a QR code that says what it holds",
              original);
      Require(link.count >= 1, "every link is counted", original);
      Require(
          link.link.offset >= 0 && link.link.offset <= static_cast<std::int64_t>(bytes.size()) * 4,
          "a link's offset lies in its text",
          original);
      UrlReport report;
      Record record;
      DescribeScannedLink("-", message.number, link, analysis, describing, report, record);
      Text tsv;
      MakeTsvFormat()->Write(record, tsv);
      Require(!tsv.empty() && tsv.back() == '\n' && CountByte(tsv, '\n') == 1,
              "a TSV line ends with its only line break",
              original,
              Printable(tsv));
      Require(CountByte(tsv, '\t') + 1 == record.fields().size(),
              "a TSV line has one tab per field",
              original,
              Printable(tsv));
      Text json;
      MakeJsonLinesFormat()->Write(record, json);
      Require(json.size() >= 3 && json.front() == '{' && json.ends_with("}\n") &&
                  CountByte(json, '\n') == 1,
              "a JSON line is one object",
              original,
              Printable(json));
    }
    return true;
  });
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckScan(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
