// A build without gdk-pixbuf and zbar decodes no image: ScanImage says so
// before it would ask (see reader_availability.h).

#include "scan/image_decode.h"

namespace morvik {

DecodedImage DecodeImage(std::string_view /*bytes*/, ImageFormat /*format*/,
                         std::int64_t /*most_pixels*/) {
  return {std::nullopt, "this build decodes no images"};
}

}  // namespace morvik
