#pragma once
// The QR codes in an image, read with zbar: each code's payload as it holds
// it. Only QR codes are looked for; other barcodes are no carrier of links.

#include <vector>

#include "scan/gray_image.h"
#include "support/text.h"

namespace morvik {

// The payloads in reading order (empty in a build without zbar).
std::vector<Text> FindQrPayloads(const GrayImage& image);

}  // namespace morvik
