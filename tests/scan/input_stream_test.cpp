// One input as it comes: a file or a pipe, its kind told or forced, and the
// reasons it is not scanned.

#include "scan/input_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace morvik {
namespace {

const std::string kMail =
    "From: a@example.org\r\nSubject: s\r\nContent-Type: text/plain\r\n\r\n"
    "see https://mail.example/x\r\n";

struct StreamCase {
  const char* name;
  std::string bytes;
  bool through_pipe;
  std::optional<InputKind> forced;
  std::size_t largest_text_part;
  InputKind kind;
  std::vector<std::string> urls;  // found, in order
  std::string failure;            // empty when scanned
};

const StreamCase kStreamCases[] = {
    {"mail from a file",
     kMail,
     false,
     std::nullopt,
     1 << 20,
     InputKind::Mail,
     {"https://mail.example/x"},
     ""},
    // Mail is read back part by part, so a pipe goes through a temporary file.
    {"mail from a pipe",
     kMail,
     true,
     std::nullopt,
     1 << 20,
     InputKind::Mail,
     {"https://mail.example/x"},
     ""},
    {"text forced",
     kMail,
     true,
     InputKind::Text,
     1 << 20,
     InputKind::Text,
     {"https://mail.example/x"},
     ""},
    {"a text over the limit",
     "https://big.example/" + std::string(100, 'x'),
     false,
     InputKind::Text,
     64,
     InputKind::Text,
     {},
     "larger than 0 MiB; not scanned"},
    {"binary is not read",
     std::string("\x00\x01\x02https://no.example/", 22),
     true,
     std::nullopt,
     1 << 20,
     InputKind::Binary,
     {},
     ""},
};

class StreamTest : public ::testing::TestWithParam<StreamCase> {};

// A stream holding `bytes`: a temporary file, or the read end of a pipe
// written by a thread of its own.
std::FILE* StreamOf(const std::string& bytes, bool through_pipe, std::thread& writer) {
  if (!through_pipe) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
  }
  int ends[2];
  if (pipe(ends) != 0) return nullptr;
  writer = std::thread([bytes, fd = ends[1]] {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    (void)written;
    close(fd);
  });
  return fdopen(ends[0], "rb");
}

TEST_P(StreamTest, ReadsWhatAReaderWould) {
  const StreamCase& test = GetParam();
  std::thread writer;
  std::FILE* stream = StreamOf(test.bytes, test.through_pipe, writer);
  ASSERT_NE(stream, nullptr);
  MailLimits limits;
  limits.largest_text_part = test.largest_text_part;
  std::vector<std::string> urls;
  StreamScan scan;
  const bool open = ScanStream(
      stream,
      test.forced,
      limits,
      [&](ScannedMessage& message) {
        EXPECT_EQ(scan.kind, test.kind) << "the kind is known before the first message";
        for (const ScannedLink& link : message.links) urls.push_back(link.link.url);
        return true;
      },
      scan);
  if (writer.joinable()) writer.join();
  std::fclose(stream);
  EXPECT_TRUE(open);
  EXPECT_EQ(scan.kind, test.kind);
  EXPECT_EQ(urls, test.urls);
  EXPECT_EQ(scan.failed, !test.failure.empty());
  EXPECT_EQ(scan.failure, test.failure);
  EXPECT_EQ(scan.error_number, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamTest, ::testing::ValuesIn(kStreamCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace morvik
