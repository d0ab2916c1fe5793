#pragma once
// A PNG, JPEG, GIF or BMP image decoded to grey levels (gdk-pixbuf), for
// the QR code finder. Only the loader of the format the content shows is
// used, and an image whose header declares more pixels than allowed is
// never decoded.

#include <cstdint>
#include <optional>
#include <string_view>

#include "scan/document_magic.h"
#include "scan/gray_image.h"
#include "support/text.h"

namespace morvik {

struct DecodedImage {
  std::optional<GrayImage> image;
  Text problem;  // why there is no image ("image damaged: ..."), a phrase for the reader
};

// Transparent pixels are taken over white, as a mail reader shows them.
DecodedImage DecodeImage(std::string_view bytes, ImageFormat format, std::int64_t most_pixels);

}  // namespace morvik
