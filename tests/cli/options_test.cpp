#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/disguise_names.h"
#include "compare/reasons.h"

namespace morvik {
namespace {

struct OptionsCase {
  std::vector<std::string> arguments;
  std::string error;  // empty: accepted
};

const OptionsCase kOptionsCases[] = {
    {{}, ""},
    {{"http://a/", "--json", "--refang"}, ""},
    {{"--input", "list.txt", "-i", "-", "--input=more.txt"}, ""},
    {{"--", "--not-an-option"}, ""},
    {{"convert", "--defang", "1.2.3.4"}, ""},
    {{"--tsv", "--escape-controls", "http://a/"}, ""},
    {{"convert", "--escape-controls", "1.2.3.4"}, ""},  // its input is shown too
    {{"--escape-controls=no"},
     "morvik-cli: option '--escape-controls' takes no value (see --help)"},
    {{"--bogus"}, "morvik-cli: unknown option '--bogus' (see --help)"},
    {{"-x"}, "morvik-cli: unknown option '-x' (see --help)"},
    {{"--input"}, "morvik-cli: option '--input' needs a file name (see --help)"},
    {{"--json=yes"}, "morvik-cli: option '--json' takes no value (see --help)"},
    {{"--colour=always"}, "morvik-cli: unknown option '--colour' (see --help)"},
    {{"--json", "--tsv"}, "morvik-cli: '--tsv' cannot be combined with '--json' (see --help)"},
    {{"convert", "--trace", "1"}, "morvik-cli: '--trace' does not apply to convert (see --help)"},
    {{"convert", "--resolve"}, "morvik-cli: '--resolve' does not apply to convert (see --help)"},
    {{"--brands", "mine.txt", "paypa1.com"}, ""},
    {{"--brands=mine.txt"}, ""},
    {{"--brands"}, "morvik-cli: option '--brands' needs a file name (see --help)"},
    {{"--brands="}, "morvik-cli: option '--brands' needs a file name (see --help)"},
};

class OptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTest, AcceptsOrNamesTheBadOption) {
  const ParsedOptions parsed = ParseOptions(GetParam().arguments);
  EXPECT_EQ(parsed.error, GetParam().error);
  EXPECT_EQ(parsed.options.has_value(), GetParam().error.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionsTest, ::testing::ValuesIn(kOptionsCases));

TEST(OptionsTest, SortsArgumentsIntoTheirPlaces) {
  const Options options = *ParseOptions({"--json",
                                         "-i",
                                         "a.txt",
                                         "http://x/",
                                         "--trace",
                                         "--",
                                         "-y",
                                         "--resolve",
                                         "--input=b.txt"})
                               .options;
  EXPECT_EQ(options.command, Command::Analyse);
  EXPECT_EQ(options.format, Format::Json);
  EXPECT_TRUE(options.trace);
  EXPECT_FALSE(options.resolve);  // after "--" it is an operand
  EXPECT_EQ(options.input_files, (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(options.operands,
            (std::vector<std::string>{"http://x/", "-y", "--resolve", "--input=b.txt"}));

  const Options convert = *ParseOptions({"--tsv", "convert", "convert"}).options;
  EXPECT_EQ(convert.command, Command::Convert);
  EXPECT_EQ(convert.operands, (std::vector<std::string>{"convert"}));
  // "--" ends the command too: "convert" after it is a URL.
  const Options ended = *ParseOptions({"--", "convert", "1.2.3.4"}).options;
  EXPECT_EQ(ended.command, Command::Analyse);
  EXPECT_EQ(ended.operands, (std::vector<std::string>{"convert", "1.2.3.4"}));

  const Options brands = *ParseOptions({"--brands", "a.txt", "x", "--brands=b.txt"}).options;
  EXPECT_EQ(brands.brands_file, "b.txt");  // the last one given
  EXPECT_EQ(brands.operands, (std::vector<std::string>{"x"}));

  EXPECT_FALSE(ParseOptions({"--bogus", "--help"}).options.has_value());
  EXPECT_EQ(ParseOptions({"--help", "--bogus"}).options->command, Command::Help);
  EXPECT_EQ(ParseOptions({"-V"}).options->command, Command::Version);
}

// Each reason has its line in the help, and the help fits 80 columns.
TEST(UsageTextTest, ListsEveryReasonAndDisguiseWithItsLine) {
  const std::string usage = UsageText();
  for (const ReasonEntry& entry : AllReasons()) {
    EXPECT_NE(usage.find("  " + std::string(entry.phrase) + " "), std::string::npos)
        << entry.phrase;
    EXPECT_NE(usage.find(std::string(entry.help) + "\n"), std::string::npos) << entry.phrase;
  }
  for (const DisguiseEntry& entry : AllDisguises()) {
    EXPECT_NE(usage.find("  " + std::string(entry.name) + " "), std::string::npos) << entry.name;
    EXPECT_NE(usage.find(std::string(entry.help) + "\n"), std::string::npos) << entry.name;
  }
  std::size_t start = 0;
  for (std::size_t end = usage.find('\n'); end != std::string::npos;
       start = end + 1, end = usage.find('\n', start)) {
    EXPECT_LE(end - start, 80u) << usage.substr(start, end - start);
  }
}

}  // namespace
}  // namespace morvik
