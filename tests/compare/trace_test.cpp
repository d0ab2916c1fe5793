#include "compare/trace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "url/decode_url.h"

namespace morvik {
namespace {

struct TraceCase {
  std::string url;
  std::vector<std::pair<std::string, std::string>> steps;
};

const TraceCase kTraceCases[] = {
    {"http://somename&x=1@3232235777/%61bc",
     {{"scheme removed", "somename&x=1@3232235777/%61bc"},
      {"user information removed", "3232235777/%61bc"},
      {"escape %61 decoded", "3232235777/abc"},
      {"numeric host rewritten", "192.168.1.1/abc"}}},
    {R"(http:\\3232235777\dir)",
     {{"backslash scheme removed", "3232235777\\dir"},
      {"numeric host rewritten", "192.168.1.1\\dir"}}},
    // Each distinct escape is one pass, every occurrence at once; %2f and
    // %2F are different escapes.
    {"a%2fb%2Fc%2fd",
     {{"escape %2f decoded (2 times)", "a/b%2Fc/d"}, {"escape %2F decoded", "a/b/c/d"}}},
    // A decoded "%" starts a new escape in a later pass.
    {"a%252Fb", {{"escape %25 decoded", "a%2Fb"}, {"escape %2F decoded", "a/b"}}},
    {"%4%41", {{"escape %41 decoded", "%4A"}, {"escape %4A decoded", "J"}}},
    {"http://4294967296/",
     {{"scheme removed", "4294967296/"},
      {"numeric host rewritten (over range; decimal field corrected to 4294967295)",
       "255.255.255.255/"}}},
    {"plain.example/x", {}},
};

class TraceTest : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceTest, ShowsEveryStepThatChangedTheText) {
  const TraceCase& test = GetParam();
  std::vector<std::pair<std::string, std::string>> steps;
  for (const TraceStep& step : TraceWindowDecoding(test.url))
    steps.emplace_back(step.step, step.text);
  EXPECT_EQ(steps, test.steps);
}

INSTANTIATE_TEST_SUITE_P(Cases, TraceTest, ::testing::ValuesIn(kTraceCases));

// The replay must end where the window's one-pass decoding ends, also when
// there are more passes than the trace shows one by one.
TEST(TraceTest, EndsInTheTextDecodeUrlGives) {
  std::string many_escapes = "http://x@host/";
  for (int code = 0x21; code < 0x7F; ++code) {
    char escape[4];
    std::snprintf(escape, sizeof escape, "%%%02X", code);
    many_escapes += escape;
  }
  for (const std::string& url : {std::string("http://a@b@3232235777/%2541%4%41"),
                                 std::string("%%%%%4"),
                                 many_escapes,
                                 std::string("http://1%32%37%2E0.0.1%2F")}) {
    SCOPED_TRACE(url);
    const std::vector<TraceStep> steps = TraceWindowDecoding(url);
    EXPECT_EQ(steps.empty() ? url : steps.back().text, DecodeUrl(url));
  }
}

TEST(TraceTest, ShortensVeryLongTexts) {
  const std::vector<TraceStep> steps = TraceWindowDecoding("http://" + std::string(10000, 'a'));
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].text, std::string(4096, 'a') + " ... (5904 more bytes)");
}

}  // namespace
}  // namespace morvik
