#pragma once
// `morvik-cli scan`: every link in mail messages, mailboxes, HTML pages and
// texts, each with the readings of its URL.

#include "cli/command_frame.h"
#include "cli/options.h"

namespace morvik {

// False in builds without the mail and HTML libraries (the Windows
// program), where RunScan only says so.
bool ScanAvailable();

// The exit status, as for Run: 1 when an input could not be read whole.
int RunScan(const Options& options, const Terminal& terminal);

}  // namespace morvik
