// windows.h first: shellapi.h relies on what it defines.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cerrno>

#include "cli/platform.h"
#include "support/wide_text.h"

namespace morvik {

void PrepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (IsTerminal(stdout)) SetConsoleOutputCP(CP_UTF8);
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

int TerminalWidth() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

// The arguments main() receives are in the ANSI code page, which cannot hold
// every character of an internationalised URL; the wide command line can.
std::vector<Text> CommandLineArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<Text> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::FILE* OpenInputFile(const Text& path) { return _wfopen(WideFromUtf8(path).c_str(), L"rb"); }

// A pipe whose reader has gone fails writes with ERROR_BROKEN_PIPE or
// ERROR_NO_DATA; the C runtime reports the first as EPIPE and, lacking a
// closer match, the second as EINVAL.
bool IsBrokenPipe(int error_number) { return error_number == EPIPE || error_number == EINVAL; }

}  // namespace morvik
