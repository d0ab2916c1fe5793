#pragma once
// A document that is no text: a PDF or an image, told by its content, as a
// message part (whatever its label) or as a file given to scan. Anything
// else is not read.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scan/attachment_limits.h"
#include "scan/link.h"

namespace morvik {

// How a problem names a document: "part 2 (invoice.pdf): ", "part 2: ", or
// "" outside a message (the command names the file).
Text DocumentPlace(std::string_view part, std::string_view name);

// True for the PDFs and images ScanAttachment reads.
bool IsReadableAttachment(std::string_view bytes);

// Appends the document's links. A problem names the document: "part 2
// (invoice.pdf): PDF encrypted ...", or without a part only the phrase;
// the notices of a build without a reader come bare (reader_availability.h).
void ScanAttachment(std::string_view bytes, std::string_view part, std::string_view name,
                    const AttachmentLimits& limits, std::vector<FoundLink>& links,
                    std::vector<Text>& problems);

// The QR codes of one image (`bytes` of any format ImageFormatOf tells),
// each at `line`; a problem is prefixed with `place` ("part 2: ").
void ScanImage(std::string_view bytes, std::string_view part, std::int64_t line,
               std::string_view place, const AttachmentLimits& limits,
               std::vector<FoundLink>& links, std::vector<Text>& problems);

}  // namespace morvik
