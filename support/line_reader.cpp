#include "support/line_reader.h"

#include <cstring>

namespace morvik {
namespace {

constexpr std::size_t kReadSize = std::size_t{64} * 1024;
// A line buffer that grew for one huge line is given back afterwards.
constexpr std::size_t kKeptLineCapacity = std::size_t{1024} * 1024;

}  // namespace

LineReader::LineReader(std::FILE* stream, std::size_t longest_line)
    : stream_(stream), longest_line_(longest_line), buffer_(kReadSize) {}

bool LineReader::Refill() {
  begin_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
  bytes_read_ += end_;
  if (end_ == 0) at_end_ = true;
  return end_ != 0;
}

LineReader::Status LineReader::Next(Text& line) {
  line.clear();
  if (line.capacity() > kKeptLineCapacity) line.shrink_to_fit();
  bool too_long = false;
  bool found_any = false;
  for (;;) {
    if (begin_ == end_ && (at_end_ || !Refill())) {
      if (std::ferror(stream_)) return Status::Error;
      if (!found_any) return Status::End;
      break;  // the last line has no LF
    }
    found_any = true;
    const char* const start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* newline = std::memchr(start, '\n', available);
    const std::size_t length =
        newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - start)
                           : available;
    if (!too_long && line.size() + length > longest_line_) {
      too_long = true;
      line.clear();
      line.shrink_to_fit();
    }
    if (!too_long) line.append(start, length);
    begin_ += length;
    if (newline != nullptr) {
      ++begin_;
      break;
    }
  }
  ++line_number_;
  if (too_long) return Status::TooLong;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return Status::Line;
}

bool LineReader::HasWholeLine() const {
  return std::memchr(buffer_.data() + begin_, '\n', end_ - begin_) != nullptr;
}

}  // namespace morvik
