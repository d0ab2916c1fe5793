// One input line through morvik-cli's whole pipeline: both readings, the
// comparison, the trace, and every output format. Whatever the bytes, each
// format keeps its structure: a TSV line has one tab between fields, ends
// with its only line break and holds no other control character, a JSON line
// holds none that JSON forbids raw, and both are valid UTF-8.
// The first byte chooses --refang and --defang, so that their texts are
// written too.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compare/url_report.h"
#include "fuzz/fuzz_check.h"
#include "report/output_format.h"
#include "report/url_record.h"
#include "support/utf8.h"

namespace morvik::fuzz {
namespace {

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::size_t CountByte(std::string_view text, char byte) {
  std::size_t count = 0;
  for (const char c : text) count += c == byte ? 1 : 0;
  return count;
}

// True when the text holds a byte below 0x20 other than `allowed`, or, with
// `del_too`, DEL. (JSON forbids only the first raw in a string; TSV escapes
// both.)
bool HasControl(std::string_view text, char allowed, bool del_too) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != allowed) || (del_too && byte == 0x7F)) return true;
  }
  return false;
}

void CheckLine(std::string_view input) {
  const unsigned char choice = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
  const Text line(input.empty() ? input : input.substr(1));
  UrlAnalysisOptions analysis;
  analysis.refang = (choice & 1) != 0;
  analysis.trace = true;
  UrlRecordOptions describing;
  describing.defang = (choice & 2) != 0;
  describing.trace = true;

  const UrlReport report = AnalyseUrl(line, analysis);
  Record record;
  DescribeUrlReport("-", 1, report, describing, record);

  Text tsv;
  MakeTsvFormat()->Write(record, tsv);
  Require(!tsv.empty() && tsv.back() == '\n' && CountByte(tsv, '\n') == 1,
          "a TSV line ends with its only line break",
          line,
          Printable(tsv));
  Require(CountByte(tsv, '\t') + 1 == record.fields().size(),
          "a TSV line has one tab per field",
          line,
          Printable(tsv));
  const std::string_view tsv_fields = std::string_view(tsv).substr(0, tsv.size() - 1);
  Require(!HasControl(tsv_fields, '\t', true),
          "a TSV line holds no control character but its tabs",
          line,
          Printable(tsv));
  Require(IsValidUtf8(tsv), "a TSV line is valid UTF-8", line, Printable(tsv));

  Text json;
  MakeJsonLinesFormat()->Write(record, json);
  Require(json.size() >= 3 && json.front() == '{' && json.ends_with("}\n"),
          "a JSON line is one object",
          line,
          Printable(json));
  Require(!HasControl(std::string_view(json).substr(0, json.size() - 1), ' ', false),
          "a JSON line holds no control character raw",
          line,
          Printable(json));
  Require(IsValidUtf8(json), "a JSON line is valid UTF-8", line, Printable(json));
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckLine(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
