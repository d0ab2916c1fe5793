#pragma once
// The QR codes of images that an HTML page carries inside itself, in
// <img src="data:...">. (Images a page takes from its message by "cid:" are
// parts of their own, read with the message's other parts.)

#include <optional>
#include <string_view>
#include <vector>

#include "scan/attachment_limits.h"
#include "scan/link.h"

namespace morvik {

// Appends each code with the line of its <img>; `html` is UTF-8. A page
// nested too deeply is left alone here: its links say so already.
void FindHtmlImageCodes(std::string_view html, std::string_view part,
                        const AttachmentLimits& limits, std::vector<FoundLink>& links,
                        std::vector<Text>& problems);

// The bytes of a data: URL ("data:image/png;base64,iVBO..."): base64 or
// percent-encoded. Nothing when it is no data: URL.
std::optional<Text> DataUrlBytes(std::string_view url);

}  // namespace morvik
