#pragma once
// An image as 8-bit grey levels, one byte a pixel, rows top to bottom: what
// the QR code finder reads, whatever the image came from.

#include <vector>

namespace morvik {

struct GrayImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;  // width * height
};

// Grey level of a pixel from its red, green and blue (ITU-R BT.601 weights).
inline unsigned char GrayOf(unsigned red, unsigned green, unsigned blue) {
  return static_cast<unsigned char>((red * 299 + green * 587 + blue * 114 + 500) / 1000);
}

}  // namespace morvik
