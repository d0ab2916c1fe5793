#pragma once
// A progress line on standard error for inputs that take a while, redrawn
// in place, and only where a person watches it (a terminal that is not also
// showing the results).

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace morvik {

class Progress {
 public:
  using Clock = std::chrono::steady_clock;
  using ClockReading = Clock::time_point (*)();

  // Shown at all only when `enabled`; first after a second of work, as
  // `now` tells the time (the tests give it a clock of their own).
  Progress(std::FILE* stream, bool enabled, ClockReading now = &Clock::now);

  void Update(std::int64_t lines, std::uint64_t bytes);
  // Clears the line, so that a message after it starts in column 1.
  void Finish();

 private:
  std::FILE* stream_;
  bool enabled_;
  ClockReading now_;
  bool shown_ = false;
  Clock::time_point next_draw_;
  std::uint64_t bytes_at_last_check_ = 0;
  std::int64_t lines_at_last_check_ = 0;
};

}  // namespace morvik
