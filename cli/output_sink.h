#pragma once
// Standard output with our own buffer, so that a reader that goes away (a
// closed pipe, as in `morvik-cli ... | head`) is noticed at once and the
// program can stop quietly, after everything before it was delivered.

#include <cstdio>

#include "support/text.h"

namespace morvik {

class OutputSink {
 public:
  enum class State { Open, ReaderGone, Failed };

  // `stream` is not owned and should be unbuffered (we buffer here).
  explicit OutputSink(std::FILE* stream) : stream_(stream) {}

  // Records are appended here and handed over by Flush.
  Text& buffer() { return buffer_; }

  // Writes the buffer when it has grown large, or always with `now`. False
  // once the output cannot take more.
  bool Flush(bool now);

  State state() const { return state_; }
  int error_number() const { return error_number_; }

 private:
  std::FILE* stream_;
  Text buffer_;
  State state_ = State::Open;
  int error_number_ = 0;
};

}  // namespace morvik
