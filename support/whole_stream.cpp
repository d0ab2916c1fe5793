#include "support/whole_stream.h"

namespace morvik {

WholeRead ReadWhole(std::FILE* stream, std::size_t limit, Text& bytes) {
  char buffer[64 * 1024];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    if (bytes.size() + got > limit) return WholeRead::TooLong;
    bytes.append(buffer, got);
  }
  return std::ferror(stream) ? WholeRead::Failed : WholeRead::Read;
}

}  // namespace morvik
