#pragma once
// The links of e-mail messages, read with GMime: every text part (plain
// text and HTML), whatever its transfer encoding and charset, and every PDF
// and image part told by its content (mail_attachment.h), through
// multiparts and attached messages. Other attachments are decoded no further
// than their first bytes, so memory follows the largest text, PDF or image
// part, not the message.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "scan/attachment_limits.h"
#include "scan/link.h"
#include "support/byte_size.h"

namespace morvik {

struct MailLimits {
  int deepest_nesting = 32;                   // multiparts and attached messages inside each other
  std::size_t largest_text_part = 64 * kMiB;  // as encoded
  AttachmentLimits attachments;               // PDF and image parts, and such files given to scan
};

// "larger than 64 MiB; not scanned": an input or a part over `limit`.
Text OverSizeProblem(std::size_t limit);

struct MailMessage {
  std::int64_t number = 1;  // the message's place in a mailbox, from 1
  std::vector<FoundLink> links;
  // What could not be read, each a phrase for the reader ("message
  // truncated"; for one part, the part's path before the phrase).
  std::vector<Text> problems;
  // What was read in another way than the message says, but read all the
  // same: a charset that could not be followed, header damage repaired.
  std::vector<Text> notes;
};

// Called for each message; false stops the reading.
using MailHandler = std::function<bool(MailMessage&)>;

// One message, or with `mailbox` every message of an mbox file (messages
// after "From " lines). `fd` must be seekable: parts are read back from the
// file rather than held. Returns false when the handler stopped the reading.
bool ReadMailFile(int fd, bool mailbox, const MailLimits& limits, const MailHandler& handler);

// The same for bytes in memory.
bool ReadMailBytes(std::string_view bytes, bool mailbox, const MailLimits& limits,
                   const MailHandler& handler);

}  // namespace morvik
