#pragma once
// `morvik-cli scan`: every link in mail messages, mailboxes, HTML pages and
// texts, each with the readings of its URL.

#include "cli/command_frame.h"
#include "cli/options.h"

namespace morvik {

// scan's part of --help: what it reads and its limits, or, in builds
// without the mail and HTML libraries (the Windows program), that it is
// missing; RunScan then only says so.
Text ScanHelp();

// The exit status, as for Run: 1 when an input could not be read whole.
int RunScan(const Options& options, const Terminal& terminal, const ProtectedSites& sites);

}  // namespace morvik
