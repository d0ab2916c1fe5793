#pragma once
// The message parts that carry PDFs and images: decoded only as far as
// needed to tell them by their content, and read whole only when they are
// one, within the size limit.

#include <gmime/gmime.h>

#include <string_view>

#include "scan/attachment_limits.h"
#include "scan/mail.h"

namespace morvik {

// A part that is no text by its label.
void ReadAttachmentPart(GMimePart* part, const Text& path, const AttachmentLimits& limits,
                        MailMessage& message);

// A text part whose decoded bytes are a PDF: read as one, and true. Mailers
// label PDFs as anything, text/plain among them.
bool ReadMislabelledPdf(GMimePart* part, const Text& path, std::string_view decoded,
                        const AttachmentLimits& limits, MailMessage& message);

}  // namespace morvik
