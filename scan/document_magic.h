#pragma once
// PDFs and images told by their content, never by a label: two PDFs in real
// phishing mail were labelled image/jpeg. The size an image header declares
// is read here too, so that an image over the pixel limit is never decoded.

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvik {

// "%PDF-" within the first 1024 bytes, where readers look for it.
bool LooksLikePdf(std::string_view bytes);

enum class ImageFormat { None, Png, Jpeg, Gif, Bmp };

ImageFormat ImageFormatOf(std::string_view bytes);

// The image decoder's name for the format ("png", "jpeg", "gif", "bmp").
const char* ImageFormatName(ImageFormat format);

struct ImageSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// The size the header declares; nothing when the header is cut short,
// declares none, or (a BMP) holds sizes that do not fit the file.
std::optional<ImageSize> DeclaredImageSize(std::string_view bytes, ImageFormat format);

}  // namespace morvik
