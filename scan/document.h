#pragma once
// `scan`'s front end: an input's bytes in, each message's links out, every
// identical link once with a count.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "scan/input_kind.h"
#include "scan/link.h"
#include "scan/mail.h"

namespace morvik {

struct ScannedLink {
  FoundLink link;  // where it was first found
  std::int64_t count = 1;
};

struct ScannedMessage {
  std::int64_t number = 1;  // in a mailbox, from 1; 1 for any other input
  std::vector<ScannedLink> links;
  std::vector<Text> problems;  // see MailMessage
  std::vector<Text> notes;     // see MailMessage
};

// Called for each message (an HTML page or a text is one); false stops.
using ScanHandler = std::function<bool(ScannedMessage&)>;

// Links with the same URL and the same shown text are one, counted, at the
// place of the first; the order is that of first appearance.
std::vector<ScannedLink> Deduplicate(std::vector<FoundLink> links);

// Returns false when the handler stopped the reading.
bool ScanBytes(std::string_view bytes, InputKind kind, const MailLimits& limits,
               const ScanHandler& handler);

// A mail or mailbox from a seekable file descriptor (see ReadMailFile).
bool ScanMailFile(int fd, InputKind kind, const MailLimits& limits, const ScanHandler& handler);

}  // namespace morvik
