#include "scan/pdf_page_image.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace morvik {
namespace {

constexpr double kPixelsPerPoint = 2.0;  // 144 dpi
constexpr double kLongestSide = 32767;   // cairo's largest image surface

struct SurfaceFree {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextFree {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};

}  // namespace

double RenderScale(double width, double height, std::int64_t most_pixels) {
  if (!(width > 0) || !(height > 0) || most_pixels <= 0) return 0;
  const double area = width * height * kPixelsPerPoint * kPixelsPerPoint;
  const double within_pixels =
      area <= static_cast<double>(most_pixels)
          ? kPixelsPerPoint
          : kPixelsPerPoint * std::sqrt(static_cast<double>(most_pixels) / area);
  // A page a mile long and an inch wide passes no pixel limit, but no side
  // of an image may pass cairo's.
  return std::min({within_pixels, kLongestSide / width, kLongestSide / height});
}

GrayImage RenderPage(PopplerPage* page, std::int64_t most_pixels) {
  double width = 0;
  double height = 0;
  poppler_page_get_size(page, &width, &height);
  const double scale = RenderScale(width, height, most_pixels);
  const int pixels_wide = static_cast<int>(std::floor(width * scale));
  const int pixels_high = static_cast<int>(std::floor(height * scale));
  if (pixels_wide <= 0 || pixels_high <= 0) return {};
  const std::unique_ptr<cairo_surface_t, SurfaceFree> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels_wide, pixels_high));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
  {
    const std::unique_ptr<cairo_t, ContextFree> context(cairo_create(surface.get()));
    cairo_set_source_rgb(context.get(), 1, 1, 1);  // paper white under the page
    cairo_paint(context.get());
    cairo_scale(context.get(), scale, scale);
    poppler_page_render(page, context.get());
  }
  cairo_surface_flush(surface.get());
  GrayImage gray;
  gray.width = pixels_wide;
  gray.height = pixels_high;
  gray.pixels.resize(static_cast<std::size_t>(pixels_wide) * pixels_high);
  const int stride = cairo_image_surface_get_stride(surface.get());
  const unsigned char* rows = cairo_image_surface_get_data(surface.get());
  for (int y = 0; y < pixels_high; ++y) {
    // RGB24: one native 32-bit word a pixel, 0x00RRGGBB.
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < pixels_wide; ++x) {
      const std::uint32_t pixel = row[x];
      gray.pixels[static_cast<std::size_t>(y) * pixels_wide + x] =
          GrayOf(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
  }
  return gray;
}

}  // namespace morvik
