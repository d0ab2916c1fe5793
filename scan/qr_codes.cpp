#include "scan/qr_codes.h"

#include <zbar.h>

#include <memory>

#include "scan/reader_availability.h"

namespace morvik {
namespace {

struct ScannerFree {
  void operator()(zbar::zbar_image_scanner_t* scanner) const {
    zbar::zbar_image_scanner_destroy(scanner);
  }
};
struct ImageFree {
  void operator()(zbar::zbar_image_t* image) const { zbar::zbar_image_destroy(image); }
};

constexpr unsigned long kGrayFourcc = 0x30303859;  // "Y800": 8-bit grey, no chroma

}  // namespace

bool BuildReadsQrCodes() { return true; }

std::vector<Text> FindQrPayloads(const GrayImage& image) {
  std::vector<Text> payloads;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    return payloads;
  }
  const std::unique_ptr<zbar::zbar_image_scanner_t, ScannerFree> scanner(
      zbar::zbar_image_scanner_create());
  zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
  zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
  const std::unique_ptr<zbar::zbar_image_t, ImageFree> frame(zbar::zbar_image_create());
  zbar::zbar_image_set_format(frame.get(), kGrayFourcc);
  zbar::zbar_image_set_size(
      frame.get(), static_cast<unsigned>(image.width), static_cast<unsigned>(image.height));
  // zbar only reads the pixels; they stay the caller's (no cleanup handler).
  zbar::zbar_image_set_data(frame.get(), image.pixels.data(), image.pixels.size(), nullptr);
  if (zbar::zbar_scan_image(scanner.get(), frame.get()) <= 0) return payloads;
  for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(frame.get());
       symbol != nullptr;
       symbol = zbar::zbar_symbol_next(symbol)) {
    if (zbar::zbar_symbol_get_type(symbol) != zbar::ZBAR_QRCODE) continue;
    payloads.emplace_back(zbar::zbar_symbol_get_data(symbol),
                          zbar::zbar_symbol_get_data_length(symbol));
  }
  return payloads;
}

}  // namespace morvik
