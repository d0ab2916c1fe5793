#pragma once
// What a QR code holds, as a scanned link: a URL is read like any other link;
// anything else (a payment, a Wi-Fi network, a contact card, plain text) is
// one row that says what it holds and has no URL, so no host.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scan/link.h"

namespace morvik {

// nullptr when the payload is a URL, else the phrase for what it holds
// ("QR code holds a payment, not a link").
const char* QrPayloadKind(std::string_view payload);

// Appends the row for one payload, element "qr", at `line` (a PDF's page, an
// HTML image's line, 0 for an image of its own).
void AddQrPayload(std::string_view payload, std::string_view part, std::int64_t line,
                  std::vector<FoundLink>& links);

}  // namespace morvik
