#include "scan/document_magic.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace morvik {
namespace {

std::uint32_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
std::uint32_t BigEndian16(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}
std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}
std::uint32_t LittleEndian16(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}
std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  return LittleEndian16(bytes, at) | LittleEndian16(bytes, at + 2) << 16;
}

// The frame size of a JPEG: the first start-of-frame marker's fields,
// found by walking the marker segments from the start of the image.
std::optional<ImageSize> JpegSize(std::string_view bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (Byte(bytes, at) != 0xFF) return std::nullopt;
    const std::uint32_t marker = Byte(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
      at += 2;
      continue;
    }
    const std::uint32_t length = BigEndian16(bytes, at + 2);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > bytes.size()) return std::nullopt;
      return ImageSize{BigEndian16(bytes, at + 7), BigEndian16(bytes, at + 5)};
    }
    if (length < 2) return std::nullopt;
    at += 2 + length;
  }
  return std::nullopt;
}

// A BMP header whose sizes fit the file. gdk-pixbuf's loader allocates what
// the header's own size field says, up to 4 GiB, before it reads further.
bool PlausibleBmpHeader(std::string_view bytes) {
  if (bytes.size() < 26) return false;
  const std::uint32_t header = LittleEndian32(bytes, 14);
  constexpr std::uint32_t kHeaderSizes[] = {12, 16, 40, 52, 56, 64, 108, 124};
  if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), header) == std::end(kHeaderSizes))
    return false;
  if (14 + header > bytes.size() || LittleEndian32(bytes, 10) > bytes.size()) return false;
  // The colour table: at most 256 entries are ever used.
  return header < 40 || LittleEndian32(bytes, 46) <= 256;
}

}  // namespace

bool LooksLikePdf(std::string_view bytes) {
  return bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos;
}

ImageFormat ImageFormatOf(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return ImageFormat::Png;
  if (bytes.starts_with("\xFF\xD8\xFF")) return ImageFormat::Jpeg;
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return ImageFormat::Gif;
  // "BM" alone starts many texts: the header's reserved fields are zero too.
  if (bytes.size() >= 26 && bytes.starts_with("BM") && LittleEndian32(bytes, 6) == 0)
    return ImageFormat::Bmp;
  return ImageFormat::None;
}

const char* ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return "png";
    case ImageFormat::Jpeg: return "jpeg";
    case ImageFormat::Gif: return "gif";
    case ImageFormat::Bmp: return "bmp";
    case ImageFormat::None: break;
  }
  return "";
}

std::optional<ImageSize> DeclaredImageSize(std::string_view bytes, ImageFormat format) {
  switch (format) {
    case ImageFormat::Png:
      // The IHDR chunk comes first: width and height after its type.
      if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return std::nullopt;
      return ImageSize{BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
    case ImageFormat::Gif:
      if (bytes.size() < 10) return std::nullopt;
      return ImageSize{LittleEndian16(bytes, 6), LittleEndian16(bytes, 8)};
    case ImageFormat::Bmp: {
      if (!PlausibleBmpHeader(bytes)) return std::nullopt;
      // The oldest header has 16-bit fields.
      if (LittleEndian32(bytes, 14) == 12)
        return ImageSize{LittleEndian16(bytes, 18), LittleEndian16(bytes, 20)};
      // A negative height means rows stored top-down.
      const auto width = static_cast<std::int32_t>(LittleEndian32(bytes, 18));
      const auto height = static_cast<std::int32_t>(LittleEndian32(bytes, 22));
      return ImageSize{std::abs(std::int64_t{width}), std::abs(std::int64_t{height})};
    }
    case ImageFormat::Jpeg: return JpegSize(bytes);
    case ImageFormat::None: break;
  }
  return std::nullopt;
}

}  // namespace morvik
