#include "cli/progress.h"

namespace morvik {
namespace {

constexpr auto kFirstDraw = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(250);
// The clock is read only every so many lines or bytes.
constexpr std::int64_t kLinesBetweenChecks = 4096;
constexpr std::uint64_t kBytesBetweenChecks = std::uint64_t{1024} * 1024;

}  // namespace

Progress::Progress(std::FILE* stream, bool enabled, ClockReading now)
    : stream_(stream), enabled_(enabled), now_(now), next_draw_(now() + kFirstDraw) {}

void Progress::Update(std::int64_t lines, std::uint64_t bytes) {
  if (!enabled_) return;
  if (lines - lines_at_last_check_ < kLinesBetweenChecks &&
      bytes - bytes_at_last_check_ < kBytesBetweenChecks) {
    return;
  }
  lines_at_last_check_ = lines;
  bytes_at_last_check_ = bytes;
  const Clock::time_point now = now_();
  if (now < next_draw_) return;
  next_draw_ = now + kRedraw;
  std::fprintf(stream_,
               "\rmorvik-cli: %lld lines, %.1f MiB read ",
               static_cast<long long>(lines),
               static_cast<double>(bytes) / (1024.0 * 1024.0));
  std::fflush(stream_);
  shown_ = true;
}

void Progress::Finish() {
  if (!shown_) return;
  std::fprintf(stream_, "\r%60s\r", "");
  std::fflush(stream_);
  shown_ = false;
}

}  // namespace morvik
