#include "cli/input_file.h"

#include "cli/platform.h"

namespace morvik {

InputFile::InputFile(const Text& name)
    : stream_(name == "-" ? stdin : OpenInputFile(name)), owned_(stream_ != stdin) {}

InputFile::~InputFile() { Close(); }

void InputFile::Replace(std::FILE* stream) {
  Close();
  stream_ = stream;
  owned_ = true;
}

void InputFile::Close() {
  if (owned_ && stream_ != nullptr) std::fclose(stream_);
}

}  // namespace morvik
