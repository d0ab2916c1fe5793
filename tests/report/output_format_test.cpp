#include "report/output_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compare/convert.h"
#include "report/disguise_cell.h"
#include "report/text_escape.h"
#include "report/url_record.h"

namespace morvik {
namespace {

// A small record with every kind of field.
void Describe(Record& record, const std::vector<const char*>& reasons,
              const std::vector<TraceStep>& trace) {
  record.Clear();
  record.AddText("url", "http://a\tb/\xFF");
  record.AddNumber("line", 7);
  record.AddNull("port");
  record.AddBool("same", false);
  record.AddList("reasons", reasons);
  record.AddTrace("trace", trace);
}

std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  return text;
}

// A record and a format are reused from line to line: each line shows its
// own values, whatever the kinds and lengths of the line before.
TEST(RecordTest, AReusedRecordShowsOnlyTheNewLine) {
  struct Line {
    std::string owned;
    std::int64_t number;
    std::string upper;
    std::string tsv;
  };
  const Line lines[] = {
      {std::string(100, 'x'),
       -1,
       std::string(40, 'h'),
       std::string(100, 'x') + "\t-1\t" + std::string(40, 'H') + "\tkept\n"},
      {"short", 123456789012, "a.b", "short\t123456789012\tA.B\tkept\n"},
      {"", 0, "", "\t0\t\tkept\n"},
  };
  Record record;
  const std::string kept = "kept";
  const auto tsv = MakeTsvFormat();
  const auto json = MakeJsonLinesFormat();
  for (const Line& line : lines) {
    record.Clear();
    record.AddOwnedText("owned", line.owned);
    record.AddNumber("number", line.number);
    record.AddUpperCaseText("upper", line.upper);
    record.AddText("viewed", kept);
    std::string out;
    tsv->Write(record, out);
    EXPECT_EQ(out, line.tsv);
    out.clear();
    json->Write(record, out);
    EXPECT_EQ(out,
              Concat({"{\"owned\":\"",
                      line.owned,
                      "\",\"number\":",
                      std::to_string(line.number),
                      ",\"upper\":\"",
                      UpperCaseText(line.upper),
                      "\",\"viewed\":\"kept\"}\n"}));
  }
}

// The browser's host is written as it stands where no format needs to
// escape it, and escaped where one does (a quote is allowed in a name).
struct BrowserHostCase {
  std::string url;
  std::string tsv;   // browser_host and browser_host_display in TSV
  std::string json;  // the same fields in JSON
};

const BrowserHostCase kBrowserHostCases[] = {
    {"http://Shop.Example/",
     "shop.example\tshop.example",
     R"("browser_host":"shop.example","browser_host_unicode":null,"browser_host_display":"shop.example")"},
    {"http://a\"b.example/",
     "a\"b.example\ta\"b.example",
     R"("browser_host":"a\"b.example","browser_host_unicode":null,"browser_host_display":"a\"b.example")"},
    {"http://a'{}~b.example/",
     "a'{}~b.example\ta'{}~b.example",
     R"("browser_host":"a'{}~b.example","browser_host_unicode":null,"browser_host_display":"a'{}~b.example")"},
    {"http://[::1]/",
     "[::1]\t[::1]",
     R"("browser_host":"[::1]","browser_host_unicode":null,"browser_host_display":"[::1]")"},
    {"http://0x7f.1/",
     "127.0.0.1\t127.0.0.1",
     R"("browser_host":"127.0.0.1","browser_host_unicode":null,"browser_host_display":"127.0.0.1")"},
};

class BrowserHostFieldTest : public ::testing::TestWithParam<BrowserHostCase> {};

TEST_P(BrowserHostFieldTest, IsEscapedExactlyWhereAFormatNeedsIt) {
  const BrowserHostCase& test = GetParam();
  const UrlReport report = AnalyseUrl(test.url, {});
  Record record;
  DescribeUrlReport("-", 1, report, {}, record);
  std::string tsv;
  MakeTsvFormat()->Write(record, tsv);
  // The TSV line's columns from browser_host to browser_host_display.
  std::vector<std::string> columns;
  std::size_t start = 0;
  for (std::size_t tab = tsv.find('\t'); tab != std::string::npos; tab = tsv.find('\t', start)) {
    columns.push_back(tsv.substr(start, tab - start));
    start = tab + 1;
  }
  std::size_t host_column = 0;
  while (record.fields()[host_column].name != "browser_host") ++host_column;
  ASSERT_GT(columns.size(), host_column + 2);
  EXPECT_EQ(columns[host_column] + "\t" + columns[host_column + 2], test.tsv);
  std::string json;
  MakeJsonLinesFormat()->Write(record, json);
  EXPECT_NE(json.find(test.json), std::string::npos) << json;
}

INSTANTIATE_TEST_SUITE_P(Hosts, BrowserHostFieldTest, ::testing::ValuesIn(kBrowserHostCases));

TEST(OutputFormatTest, TsvHasAHeaderAndOneEscapedLinePerRecord) {
  Record record;
  const std::vector<const char*> reasons = {"octal part", "hex part"};
  const std::vector<TraceStep> trace = {{"scheme removed", "a\tb/"}, {"escape %41 decoded", "A"}};
  Describe(record, reasons, trace);
  const auto tsv = MakeTsvFormat();
  std::string out;
  tsv->Begin(record, out);
  tsv->Write(record, out);
  EXPECT_EQ(out,
            "url\tline\tport\tsame\treasons\ttrace\n"
            "http://a\\tb/\\xff\t7\t\tfalse\toctal part, hex part\t"
            "scheme removed: a\\tb/; escape %41 decoded: A\n");
}

TEST(OutputFormatTest, JsonLinesHaveOneObjectPerRecord) {
  Record record;
  const std::vector<const char*> reasons = {"octal part"};
  const std::vector<TraceStep> trace = {{"scheme removed", "b"}};
  Describe(record, reasons, trace);
  const auto json = MakeJsonLinesFormat();
  std::string out;
  json->Begin(record, out);
  json->Write(record, out);
  EXPECT_EQ(
      out,
      "{\"url\":\"http://a\\tb/\\udcff\",\"line\":7,\"port\":null,\"same\":false,"
      "\"reasons\":[\"octal part\"],\"trace\":[{\"step\":\"scheme removed\",\"text\":\"b\"}]}\n");

  const std::vector<const char*> none;
  const std::vector<TraceStep> no_steps;
  Describe(record, none, no_steps);
  out.clear();
  json->Write(record, out);
  EXPECT_NE(out.find("\"reasons\":[],\"trace\":[]}"), std::string::npos) << out;
}

// JSON keys are composed once from the shape given to Begin; a record whose
// fields differ from the shape's (other names, of the same length too, or
// more fields) is still written under its own names.
TEST(OutputFormatTest, JsonLinesKeepEachRecordsOwnNamesWhateverTheShape) {
  const std::string same_name_elsewhere = "b";  // equal bytes, another address
  const auto shape = [](Record& record) {
    record.Clear();
    record.AddText("a", "x");
    record.AddNull("b");
    record.AddNumber("c", 1);
  };
  struct Case {
    const char* name;
    void (*describe)(Record&, const std::string&);
    const char* expected;
  };
  const Case cases[] = {
      {"the shape",
       [](Record& r, const std::string&) {
         r.Clear();
         r.AddText("a", "x");
         r.AddNull("b");
         r.AddNumber("c", 1);
       },
       "{\"a\":\"x\",\"b\":null,\"c\":1}\n"},
      {"names of the same length",
       [](Record& r, const std::string&) {
         r.Clear();
         r.AddNull("z");
         r.AddText("y", "q\"");
         r.AddBool("c", true);
       },
       "{\"z\":null,\"y\":\"q\\\"\",\"c\":true}\n"},
      {"a name held elsewhere",
       [](Record& r, const std::string& b) {
         r.Clear();
         r.AddText("a", "");
         r.AddText(b, "t");
       },
       "{\"a\":\"\",\"b\":\"t\"}\n"},
      {"more fields",
       [](Record& r, const std::string&) {
         r.Clear();
         r.AddText("a", "x");
         r.AddNull("b");
         r.AddNumber("c", 1);
         r.AddNull("extra");
         r.AddText("last", "y");
       },
       "{\"a\":\"x\",\"b\":null,\"c\":1,\"extra\":null,\"last\":\"y\"}\n"},
  };
  for (const Case& c : cases) {
    Record record;
    shape(record);
    const auto begun = MakeJsonLinesFormat();
    std::string header;
    begun->Begin(record, header);
    EXPECT_EQ(header, "");
    c.describe(record, same_name_elsewhere);
    std::string after_begin;
    begun->Write(record, after_begin);
    std::string without_begin;
    MakeJsonLinesFormat()->Write(record, without_begin);
    EXPECT_EQ(after_begin, c.expected) << c.name;
    EXPECT_EQ(without_begin, c.expected) << c.name;
  }
}

// Text whose every byte takes the longest escape, in every kind of field,
// comes out whole.
TEST(OutputFormatTest, LinesFitWhenEveryByteTakesTheLongestEscape) {
  for (const std::size_t size : {0, 1, 7, 16, 100}) {
    const std::string controls(size, '\x01');
    const std::string json_controls = [&] {
      std::string escaped;
      for (std::size_t i = 0; i < size; ++i) escaped += "\\u0001";
      return escaped;
    }();
    const std::string tsv_controls = [&] {
      std::string escaped;
      for (std::size_t i = 0; i < size; ++i) escaped += "\\x01";
      return escaped;
    }();
    const std::vector<const char*> reasons = {"ab", "ab"};
    const std::vector<TraceStep> trace = {{controls, controls}, {"", ""}};
    Record record;
    record.AddText("t", controls);
    record.AddNull("n");
    record.AddNull("m");
    record.AddBool("b", false);
    record.AddNumber("d", -9223372036854775807 - 1);
    record.AddList("l", reasons);
    record.AddTrace("s", trace);

    std::string tsv;
    MakeTsvFormat()->Write(record, tsv);
    EXPECT_EQ(tsv,
              Concat({tsv_controls,
                      "\t\t\tfalse\t-9223372036854775808\tab, ab\t",
                      tsv_controls,
                      ": ",
                      tsv_controls,
                      "; : \n"}));
    // A lone text field takes all the room there is.
    Record lone;
    lone.AddText("t", controls);
    std::string lone_tsv;
    MakeTsvFormat()->Write(lone, lone_tsv);
    EXPECT_EQ(lone_tsv, tsv_controls + "\n");

    std::string json;
    MakeJsonLinesFormat()->Write(record, json);
    EXPECT_EQ(json,
              Concat({"{\"t\":\"",
                      json_controls,
                      "\",\"n\":null,\"m\":null,\"b\":false,\"d\":-9223372036854775808,",
                      "\"l\":[\"ab\",\"ab\"],\"s\":[{\"step\":\"",
                      json_controls,
                      "\",\"text\":\"",
                      json_controls,
                      "\"},{\"step\":\"\",\"text\":\"\"}]}\n"}));
  }
}

// A line longer than the room made at once is written piece by piece and
// handed on while it is written; it must come out as if written whole, with
// no UTF-8 sequence split between pieces.
TEST(OutputFormatTest, LongLinesComeOutWholeThroughTheSpill) {
  std::string text;
  while (text.size() < std::size_t{200} * 1024)
    text += "a\xC3\xBC\xE2\x82\xAC\xF0\x9D\x84\x9E\x01\xFF\\\"b";
  const std::string host("www.example\0x.test", 18);
  Record record;
  record.AddText("url", text);
  record.AddUpperCaseText("host", host);
  record.AddNumber("line", 1);

  std::string tsv_expected;
  AppendEscaped(tsv_expected, text, EscapeFor::Tsv);
  tsv_expected += "\tWWW.EXAMPLE\\x00X.TEST\t1\n";
  std::string json_expected = "{\"url\":";
  AppendJsonString(json_expected, text);
  json_expected += ",\"host\":\"WWW.EXAMPLE\\u0000X.TEST\",\"line\":1}\n";

  for (const auto& [format, expected] : {std::pair{MakeTsvFormat(), tsv_expected},
                                         std::pair{MakeJsonLinesFormat(), json_expected}}) {
    std::string handed_on;
    std::size_t largest = 0;
    format->SetSpill([&](std::string& out) {
      largest = std::max(largest, out.size());
      handed_on += out;
      out.clear();
    });
    std::string out;
    format->Write(record, out);
    const std::string written = handed_on + out;
    const auto differ =
        std::mismatch(written.begin(), written.end(), expected.begin(), expected.end());
    EXPECT_TRUE(written == expected)
        << "first difference at byte " << (differ.first - written.begin()) << " of "
        << written.size() << ": ..." << written.substr(differ.first - written.begin(), 40);
    EXPECT_GT(handed_on.size(), 0u);
    EXPECT_LT(largest, std::size_t{256} * 1024);
  }
}

TEST(OutputFormatTest, TableAlignsAndShortensCells) {
  Record record;
  const std::vector<const char*> reasons = {"octal part"};
  const std::vector<TraceStep> trace = {{"scheme removed", "b"}};
  Describe(record, reasons, trace);
  const auto table = MakeTableFormat({{.fields = {"url"}, .header = "URL", .width = 8},
                                      {.fields = {"same"}, .header = "SAME", .width = 4},
                                      {.fields = {"port", "line"}, .header = "PORT", .width = 4},
                                      {.fields = {"reasons"}, .header = "WHY"}},
                                     40);
  std::string out;
  table->Begin(record, out);
  table->Write(record, out);
  EXPECT_EQ(out,
            "URL       SAME  PORT  WHY\n"
            "http://\xE2\x80\xA6  no    7     octal part\n"
            "    scheme removed: b\n");
}

// A character that would reorder, hide or act on the terminal, in one cell
// of a line; the cells after it must stay where they are.
struct HiddenCellCase {
  std::string character;
  std::string visible;  // as a person sees it: the table, TSV on a terminal
  std::string tsv;      // TSV as data
  std::string json;     // inside a JSON string
};

const HiddenCellCase kHiddenCellCases[] = {
    {"\u202E", "<U+202E>", "\u202E", "\\u202e"},                  // right-to-left override
    {"\u202B", "<U+202B>", "\u202B", "\\u202b"},                  // right-to-left embedding
    {"\u2067", "<U+2067>", "\u2067", "\\u2067"},                  // right-to-left isolate
    {"\u200F", "<U+200F>", "\u200F", "\\u200f"},                  // right-to-left mark
    {"\u200B", "<U+200B>", "\u200B", "\\u200b"},                  // zero width space
    {"\u2060", "<U+2060>", "\u2060", "\\u2060"},                  // word joiner
    {"\uFEFF", "<U+FEFF>", "\uFEFF", "\\ufeff"},                  // byte order mark
    {"\U000E0020", "<U+E0020>", "\U000E0020", "\\udb40\\udc20"},  // tag space
    {"\x1b", "<U+001B>", "\\x1b", "\\u001b"},
    {"\x7f", "<U+007F>", "\\x7f", "\\u007f"},
    {"\xC2\x9B", "<U+009B>", "\xC2\x9B", "\\u009b"},
    {"\x08", "<U+0008>", "\\x08", "\\u0008"},  // backspace would overwrite the cell before
};

class HiddenCellTest : public ::testing::TestWithParam<HiddenCellCase> {};

TEST_P(HiddenCellTest, LeavesTheNextCellsInOrder) {
  const HiddenCellCase& test = GetParam();
  const std::string url = "https://evil.example/" + test.character + "fdp.exe";
  const std::vector<TraceStep> trace = {{"scheme removed", "evil.example/" + test.character}};
  Record record;
  record.AddText("url", url);
  record.AddUpperCaseText("host", "evil.example");
  record.AddBool("same", false);
  record.AddTrace("trace", trace);

  const std::string cell = "https://evil.example/" + test.visible + "fdp.exe";
  const auto table = MakeTableFormat({{.fields = {"url"}, .header = "URL", .width = 40},
                                      {.fields = {"host"}, .header = "HOST", .width = 12},
                                      {.fields = {"same"}, .header = "SAME", .width = 4}},
                                     80);
  std::string shown;
  table->Write(record, shown);
  EXPECT_EQ(shown,
            cell + std::string(40 - cell.size() + 2, ' ') + "EVIL.EXAMPLE  no\n" +
                "    scheme removed: evil.example/" + test.visible + "\n");

  std::string person;
  MakeTsvFormat(EscapeFor::Terminal)->Write(record, person);
  EXPECT_EQ(person,
            cell + "\tEVIL.EXAMPLE\tfalse\tscheme removed: evil.example/" + test.visible + "\n");

  std::string data;
  MakeTsvFormat()->Write(record, data);
  EXPECT_EQ(data,
            "https://evil.example/" + test.tsv + "fdp.exe\tEVIL.EXAMPLE\tfalse\t" +
                "scheme removed: evil.example/" + test.tsv + "\n");

  std::string json;
  MakeJsonLinesFormat()->Write(record, json);
  EXPECT_EQ(json.substr(0, json.find(",\"host\"")),
            "{\"url\":\"https://evil.example/" + test.json + "fdp.exe\"");
}

INSTANTIATE_TEST_SUITE_P(Cases, HiddenCellTest, ::testing::ValuesIn(kHiddenCellCases));

TEST(OutputFormatTest, EveryFormatWritesTheSameFieldNames) {
  Record record;
  DescribeUrlReport("-", 1, UrlReport{}, {false, true}, record);
  std::vector<std::string> names;
  for (const Field& field : record.fields()) names.emplace_back(field.name);
  const std::vector<std::string> expected = {"source",
                                             "line",
                                             "url",
                                             "window_host_text",
                                             "window_host",
                                             "window_dotted",
                                             "window_decimal",
                                             "window_hex",
                                             "window_note",
                                             "browser_host",
                                             "browser_host_unicode",
                                             "browser_host_display",
                                             "lookalike",
                                             "looks_like",
                                             "browser_kind",
                                             "browser_port",
                                             "browser_dotted",
                                             "browser_error",
                                             "same",
                                             "reasons",
                                             "trace",
                                             "disguises",
                                             "leads_to"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace morvik

namespace morvik {
namespace {

// Disguises in every format: a list of objects in JSON, "name (detail)"
// joined by "; " elsewhere, evidence escaped like any text from the input.
TEST(OutputFormatTest, WritesDisguisesInEachFormsShape) {
  const Disguises disguises = {{"user part", "a\tb"}, {"numeric host", "127.0.0.1"}};
  const Disguises none;
  Record record;
  record.AddText("where", "");
  record.AddText("element", "a");
  record.AddNumber("line", 3);
  record.AddDisguises("disguises", disguises);
  record.AddDisguises("clean", none);
  std::string tsv;
  MakeTsvFormat()->Write(record, tsv);
  EXPECT_EQ(tsv, "\ta\t3\tuser part (a\\tb); numeric host (127.0.0.1)\t\n");
  std::string json;
  MakeJsonLinesFormat()->Write(record, json);
  EXPECT_EQ(json,
            "{\"where\":\"\",\"element\":\"a\",\"line\":3,\"disguises\":[{\"name\":\"user "
            "part\",\"detail\":\"a\\tb\"},{\"name\":\"numeric host\",\"detail\":\"127.0.0.1\"}],"
            "\"clean\":[]}\n");
  // A joined column skips an empty text and keeps the others in order.
  const auto table = MakeTableFormat(
      {{.fields = {"where", "element", "line"}, .header = "AT", .width = 6, .joined_by = " "},
       {.fields = {"disguises"}, .header = "DISGUISES"}},
      60);
  std::string out;
  table->Write(record, out);
  EXPECT_EQ(out, "a 3     user part (a\\tb); numeric host (127.0.0.1)\n");
}

// Every kind of field holding the text that escapes longest for each
// target, disguises and trace steps included, with a line of that kind
// before it and after it: a line comes out as its values escaped one by one
// would, whatever room the lines before it left.
struct LongestLineCase {
  std::string name;
  std::string text;
};

const LongestLineCase kLongestLineCases[] = {
    {"controls", std::string(50, '\x01')},
    {"C1 controls", "\xC2\x85\xC2\x9B\xC2\x85"},
    {"direction controls", "\xE2\x80\xAE\xE2\x81\xA6"},
    {"tags", "\xF3\xA0\x80\x81\xF3\xA0\x81\xBF"},
    {"not UTF-8", std::string(70, '\xFF')},
    {"own escapes", "<U+202E><U+<U"},
    {"quotes and backslashes", "\"\\\"\\"},
    {"empty", ""},
};

class LongestLineTest : public ::testing::TestWithParam<LongestLineCase> {};

TEST_P(LongestLineTest, ComesOutAsItsValuesEscapedOneByOne) {
  const std::string& text = GetParam().text;
  const std::vector<const char*> reasons = {"a reason"};
  const std::vector<TraceStep> trace = {{text, text}, {"step", text}};
  const Disguises disguises = {{"user part", text}, {"numeric host", text}};
  Record record;
  record.AddText("url", text);
  record.AddUpperCaseText("host", text);
  record.AddList("reasons", reasons);
  record.AddTrace("trace", trace);
  record.AddDisguises("disguises", disguises);
  Record short_record;
  short_record.AddText("url", "a");

  for (const EscapeFor target : {EscapeFor::Tsv, EscapeFor::Terminal}) {
    const auto escaped = [&](std::string_view piece) {
      std::string out;
      AppendEscaped(out, piece, target);
      return out;
    };
    std::string disguise_cell;
    AppendDisguises(disguise_cell, disguises, target);
    const std::string line = Concat({escaped(text),
                                     "\t",
                                     escaped(UpperCaseText(text)),
                                     "\ta reason\t",
                                     escaped(text),
                                     ": ",
                                     escaped(text),
                                     "; step: ",
                                     escaped(text),
                                     "\t",
                                     disguise_cell,
                                     "\n"});
    const auto format = MakeTsvFormat(target);
    std::string out;
    format->Write(short_record, out);
    format->Write(record, out);
    format->Write(short_record, out);
    format->Write(record, out);
    EXPECT_EQ(out, Concat({"a\n", line, "a\n", line})) << GetParam().name;
  }

  const auto quoted = [](std::string_view piece) {
    std::string out;
    AppendJsonString(out, piece);
    return out;
  };
  const std::string line = Concat({"{\"url\":",
                                   quoted(text),
                                   ",\"host\":",
                                   quoted(UpperCaseText(text)),
                                   ",\"reasons\":[\"a reason\"],\"trace\":[{\"step\":",
                                   quoted(text),
                                   ",\"text\":",
                                   quoted(text),
                                   "},{\"step\":\"step\",\"text\":",
                                   quoted(text),
                                   "}],\"disguises\":[{\"name\":\"user part\",\"detail\":",
                                   quoted(text),
                                   "},{\"name\":\"numeric host\",\"detail\":",
                                   quoted(text),
                                   "}]}\n"});
  const auto format = MakeJsonLinesFormat();
  std::string header;
  format->Begin(record, header);
  std::string out;
  format->Write(short_record, out);
  format->Write(record, out);
  format->Write(record, out);
  EXPECT_EQ(out, Concat({"{\"url\":\"a\"}\n", line, line})) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Texts, LongestLineTest, ::testing::ValuesIn(kLongestLineCases));

}  // namespace
}  // namespace morvik
