#pragma once
// A PDF page drawn in grey for the QR code finder: at 144 dots per inch,
// enough for a code of an inch across, or smaller when that would pass the
// pixel limit.

#include <poppler.h>

#include <cstdint>

#include "scan/gray_image.h"

namespace morvik {

// The resolution a page is drawn at, in pixels per PDF point (1/72 inch),
// for a page of `width` x `height` points: 2, or less to stay within
// `most_pixels` and within 32767 pixels a side; 0 for a page without area.
double RenderScale(double width, double height, std::int64_t most_pixels);

// An empty image when the page has no area or cannot be drawn.
GrayImage RenderPage(PopplerPage* page, std::int64_t most_pixels);

}  // namespace morvik
