#pragma once
// morvik-cli run as a user runs it, from a shell: what both end-to-end
// suites share. Every path that reaches the shell goes through Quote.

#include <string>
#include <vector>

namespace morvik::cli_test {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// One shell word, whatever the text holds.
std::string Quote(const std::string& text);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> Fields(const std::string& tsv_line);

// A file of the running test's own, named after it: ctest runs tests side
// by side.
std::string ScratchPath(const std::string& name);

// Runs `shell` with bash, the file `input` on standard input; "$CLI" names
// the program under test.
Outcome RunShell(const std::string& shell, const std::string& input = "/dev/null");

}  // namespace morvik::cli_test
