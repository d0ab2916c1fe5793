#include "cli/output_sink.h"

#include <cerrno>

#include "cli/platform.h"

namespace morvik {
namespace {

constexpr std::size_t kFlushSize = std::size_t{64} * 1024;

}  // namespace

bool OutputSink::Flush(bool now) {
  if (state_ != State::Open) return false;
  if (buffer_.empty() || (!now && buffer_.size() < kFlushSize)) return true;
  errno = 0;
  const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
  if (written != buffer_.size() || std::fflush(stream_) != 0) {
    error_number_ = errno;
    state_ = IsBrokenPipe(error_number_) ? State::ReaderGone : State::Failed;
    return false;
  }
  buffer_.clear();
  return true;
}

}  // namespace morvik
