#pragma once
// The few things the command line needs from the operating system, with a
// POSIX and a Windows implementation.

#include <cstdio>
#include <vector>

#include "support/text.h"

namespace morvik {

// Binary standard streams (no CRLF translation, no end-of-file byte), an
// unbuffered standard output (OutputSink buffers), a UTF-8 console on
// Windows, and write errors instead of SIGPIPE on a closed pipe.
void PrepareStandardStreams();

bool IsTerminal(std::FILE* stream);

// Columns of the terminal behind standard output; 0 when unknown.
int TerminalWidth();

// The command-line arguments in UTF-8, without the program name.
std::vector<Text> CommandLineArguments(int argc, char** argv);

// Opens a file named in UTF-8 for reading in binary mode; null with errno
// set on failure.
std::FILE* OpenInputFile(const Text& path);

// The write error of a reader that went away.
bool IsBrokenPipe(int error_number);

}  // namespace morvik
