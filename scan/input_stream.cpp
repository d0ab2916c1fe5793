#include "scan/input_stream.h"

#include <unistd.h>

#include <cerrno>
#include <memory>

#include "support/whole_stream.h"

namespace morvik {
namespace {

struct FileCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

bool Fail(StreamScan& result, int error_number, Text what = {}) {
  result.failed = true;
  result.error_number = error_number;
  result.failure = std::move(what);
  return true;  // the output is still open: go on with the next input
}

// `stream` copied to a new temporary file, rewound; null after a failure
// noted in `result`.
OwnedFile CopyToTemporaryFile(std::FILE* stream, StreamScan& result) {
  OwnedFile copy(std::tmpfile());
  if (copy == nullptr) {
    Fail(result, errno, "no temporary file");
    return nullptr;
  }
  char buffer[64 * 1024];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    if (std::fwrite(buffer, 1, got, copy.get()) != got) break;
  }
  if (std::ferror(stream) || std::ferror(copy.get())) {
    Fail(result, errno);
    return nullptr;
  }
  std::rewind(copy.get());
  return copy;
}

}  // namespace

bool ScanStream(std::FILE* stream, std::optional<InputKind> forced_kind, const MailLimits& limits,
                const ScanHandler& handler, StreamScan& result) {
  OwnedFile copy;
  if (std::fseek(stream, 0, SEEK_CUR) != 0) {
    copy = CopyToTemporaryFile(stream, result);
    if (copy == nullptr) return true;
    stream = copy.get();
  }
  const long start = std::ftell(stream);
  char head[kKindSniffBytes];
  const std::size_t head_size = std::fread(head, 1, sizeof head, stream);
  if (std::ferror(stream)) return Fail(result, errno);
  result.kind = forced_kind.value_or(DetectInputKind({head, head_size}));
  std::fseek(stream, start, SEEK_SET);
  if (result.kind == InputKind::Mail || result.kind == InputKind::Mailbox) {
    const int fd = fileno(stream);
    lseek(fd, start, SEEK_SET);
    return ScanMailFile(fd, result.kind, limits, handler);
  }
  Text bytes;
  if (result.kind != InputKind::Binary) {
    const WholeRead read = ReadWhole(stream, limits.largest_text_part, bytes);
    if (read == WholeRead::TooLong)
      return Fail(result, 0, OverSizeProblem(limits.largest_text_part));
    if (read == WholeRead::Failed) return Fail(result, errno);
  }
  return ScanBytes(bytes, result.kind, limits, handler);
}

}  // namespace morvik
