#include "cli/progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace morvik {
namespace {

using namespace std::chrono_literals;

// The time the progress line reads, set by each step of a case.
Progress::Clock::time_point g_now;
Progress::Clock::time_point Now() { return g_now; }

struct Step {
  std::chrono::milliseconds at;  // since the progress began
  std::int64_t lines;
  bool draws;  // whether this update draws the line
};

struct ProgressCase {
  const char* name;
  std::vector<Step> steps;
};

const ProgressCase kProgressCases[] = {
    {"quiet_in_the_first_second", {{10ms, 5000, false}, {999ms, 9000, false}}},
    {"first_draw_after_a_second", {{500ms, 5000, false}, {1000ms, 9200, true}}},
    {"redrawn_every_quarter_second",
     {{1000ms, 5000, true}, {1100ms, 9200, false}, {1250ms, 13400, true}}},
    // The clock is read only every 4096 lines (or MiB): a few lines more
    // draw nothing, however late.
    {"clock_read_every_4096_lines",
     {{2000ms, 100, false}, {3000ms, 4095, false}, {3000ms, 4096, true}}},
};

class ProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressTest, DrawsWhenItIsTime) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  const Progress::Clock::time_point start{};
  g_now = start;
  Progress progress(stream, /*enabled=*/true, &Now);
  long written = 0;
  for (const Step& step : GetParam().steps) {
    g_now = start + step.at;
    progress.Update(step.lines, 0);
    const long now_written = std::ftell(stream);
    EXPECT_EQ(now_written > written, step.draws) << step.lines << " lines at " << step.at.count();
    written = now_written;
  }
  std::fclose(stream);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressTest, ::testing::ValuesIn(kProgressCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressTest, DisabledDrawsNothingAndFinishClearsTheLine) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  g_now = {};
  Progress disabled(stream, /*enabled=*/false, &Now);
  g_now += 5s;
  disabled.Update(100000, 0);
  disabled.Finish();
  EXPECT_EQ(std::ftell(stream), 0);

  Progress shown(stream, /*enabled=*/true, &Now);
  g_now += 5s;
  shown.Update(100000, 3 * 1024 * 1024);
  const long drawn = std::ftell(stream);
  shown.Finish();
  std::rewind(stream);
  std::string text(200, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), stream));
  EXPECT_NE(text.find("100000 lines, 3.0 MiB read"), std::string::npos) << text;
  EXPECT_GT(static_cast<long>(text.size()), drawn);  // the clearing
  EXPECT_EQ(text.back(), '\r');
  std::fclose(stream);
}

}  // namespace
}  // namespace morvik
