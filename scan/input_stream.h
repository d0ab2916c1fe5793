#pragma once
// One input of scan as it comes, from an open stream: its kind told from its
// first bytes (unless the caller names it), a mail or mailbox read back from
// the file part by part, a page or a text held whole up to the size of a text
// part.

#include <cstdio>
#include <optional>

#include "scan/document.h"
#include "scan/input_kind.h"

namespace morvik {

struct StreamScan {
  // Known before the first message reaches the handler.
  InputKind kind = InputKind::Binary;
  // Why the input was not scanned (whole): the system's reason (errno) with
  // what it stopped, or, when 0, `failure` alone.
  int error_number = 0;
  Text failure;  // "no temporary file", or the over-size problem
  bool failed = false;
};

// Calls `handler` for each message; false once the handler stopped the
// reading. A pipe is copied to a temporary file first, for mail must be
// seekable. `result.kind` is set before any message.
bool ScanStream(std::FILE* stream, std::optional<InputKind> forced_kind, const MailLimits& limits,
                const ScanHandler& handler, StreamScan& result);

}  // namespace morvik
