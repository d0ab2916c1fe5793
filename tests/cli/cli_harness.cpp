#include "tests/cli/cli_harness.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace morvik::cli_test {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& tsv_line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = tsv_line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(tsv_line.substr(start, tab - start));
  }
  fields.push_back(tsv_line.substr(start));
  return fields;
}

std::string ScratchPath(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string id = std::string(test->test_suite_name()) + "-" + test->name();
  for (char& c : id) c = c == '/' ? '-' : c;  // parameterised tests: "Cases/Name/3"
  return ::testing::TempDir() + "morvik-cli-" + id + "-" + name;
}

Outcome RunShell(const std::string& shell, const std::string& input) {
  const std::string out = ScratchPath("stdout");
  const std::string err = ScratchPath("stderr");
  const std::string command = "CLI=" + Quote(MORVIK_CLI) + " bash -c " + Quote(shell) + " < " +
                              Quote(input) + " > " + Quote(out) + " 2> " + Quote(err);
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

}  // namespace morvik::cli_test
