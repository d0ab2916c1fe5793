#pragma once
// Reads a stream one line at a time in constant memory: a fixed read buffer
// plus the current line, however long the input. Lines end at LF; a CR right
// before it (CRLF) or at the very end is dropped. Any other byte, NUL
// included, is part of the line.

#include <cstdint>
#include <cstdio>
#include <vector>

#include "support/text.h"

namespace morvik {

class LineReader {
 public:
  enum class Status {
    Line,     // `line` holds the next line
    TooLong,  // the next line was longer than the limit and was skipped
    End,      // no more input
    Error,    // the stream failed; errno tells why
  };

  // `stream` is not owned. Lines longer than `longest_line` bytes are skipped
  // rather than held, so one endless line cannot exhaust memory.
  LineReader(std::FILE* stream, std::size_t longest_line);

  Status Next(Text& line);

  // 1 for the first line; the line just returned (or skipped).
  std::int64_t line_number() const { return line_number_; }
  // True when the next line is already read in whole: taking it cannot
  // wait for more input.
  bool HasWholeLine() const;
  std::uint64_t bytes_read() const { return bytes_read_; }

 private:
  bool Refill();

  std::FILE* stream_;
  std::size_t longest_line_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  std::int64_t line_number_ = 0;
  std::uint64_t bytes_read_ = 0;
};

}  // namespace morvik
