#pragma once
// An input named on the command line, open for reading: "-" is standard
// input, which stays open; any other file is closed when done.

#include <cstdio>

#include "support/text.h"

namespace morvik {

class InputFile {
 public:
  explicit InputFile(const Text& name);
  // A stream of its own, closed when done.
  explicit InputFile(std::FILE* stream) : stream_(stream), owned_(true) {}
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Null when the file could not be opened; errno says why.
  std::FILE* get() const { return stream_; }
  // Reads from `stream` from now on, closing it when done (a copy of the
  // input, say).
  void Replace(std::FILE* stream);

 private:
  void Close();

  std::FILE* stream_;
  bool owned_;
};

}  // namespace morvik
