#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "cli/platform.h"

namespace morvik {

void PrepareStandardStreams() {
  std::signal(SIGPIPE, SIG_IGN);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

int TerminalWidth() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

std::vector<Text> CommandLineArguments(int argc, char** argv) {
  return std::vector<Text>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* OpenInputFile(const Text& path) { return std::fopen(path.c_str(), "rb"); }

bool IsBrokenPipe(int error_number) { return error_number == EPIPE; }

}  // namespace morvik
