// Image reading for QR codes: whatever the bytes, an image is decoded only
// within the pixel limit, as many grey levels as pixels, and each code gives
// one row: a URL, or no URL and what it holds. The first byte chooses the
// way in: the bytes as an image, as a data: URL, or as a code's payload.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "scan/attachment.h"
#include "scan/html_images.h"
#include "scan/image_decode.h"
#include "scan/qr_payload.h"

namespace morvik::fuzz {
namespace {

constexpr std::int64_t kMostPixels = std::int64_t{1000} * 1000;

void CheckRows(const std::vector<FoundLink>& links, const Text& input) {
  for (const FoundLink& link : links) {
    Require(link.element == "qr", "an image gives QR codes", input, Text(link.element));
    Require(link.payload_kind != nullptr ? link.url.empty() : !link.url.empty(),
            "a row has a URL or says what its code holds",
            input,
            link.url);
  }
}

void CheckImage(std::string_view bytes, const Text& input) {
  const ImageFormat format = ImageFormatOf(bytes);
  if (format != ImageFormat::None) {
    const DecodedImage decoded = DecodeImage(bytes, format, kMostPixels);
    Require(decoded.image.has_value() != !decoded.problem.empty(),
            "an image is decoded or a problem is said",
            input,
            decoded.problem);
    if (decoded.image) {
      const GrayImage& image = *decoded.image;
      Require(std::int64_t{image.width} * image.height <= kMostPixels,
              "a decoded image is within the pixel limit",
              input);
      Require(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height,
              "a grey level for every pixel",
              input);
    }
  }
  AttachmentLimits limits;
  limits.most_pixels = kMostPixels;
  std::vector<FoundLink> links;
  std::vector<Text> problems;
  ScanImage(bytes, "2", 0, "part 2: ", limits, links, problems);
  CheckRows(links, input);
}

void CheckImages(std::string_view input) {
  const unsigned char choice = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
  const std::string_view bytes = input.empty() ? input : input.substr(1);
  const Text original(input);
  switch (choice % 3) {
    case 0: CheckImage(bytes, original); break;
    case 1: {
      const std::optional<Text> decoded = DataUrlBytes(bytes);
      if (decoded) CheckImage(*decoded, original);
      break;
    }
    default: {
      std::vector<FoundLink> links;
      AddQrPayload(bytes, "1", 1, links);
      Require(links.size() == 1, "a payload is one row", original);
      CheckRows(links, original);
    }
  }
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckImages(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
