#include "scan/image_decode.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>

#include "scan/glib_owned.h"

namespace morvik {
namespace {

// Closes the loader before the last reference goes, as gdk-pixbuf asks.
class Loader {
 public:
  explicit Loader(GdkPixbufLoader* loader) : loader_(loader) {}
  ~Loader() {
    if (loader_ != nullptr && !closed_) gdk_pixbuf_loader_close(loader_.get(), nullptr);
  }
  Loader(const Loader&) = delete;
  Loader& operator=(const Loader&) = delete;
  GdkPixbufLoader* get() const { return loader_.get(); }
  bool Close(GError** error) {
    closed_ = true;
    return gdk_pixbuf_loader_close(loader_.get(), error) != FALSE;
  }

 private:
  GOwned<GdkPixbufLoader> loader_;
  bool closed_ = false;
};

Text Megapixels(std::int64_t pixels) { return std::to_string(pixels / 1000000) + " megapixels"; }

Text Damaged(const GError* error) {
  return Text("image damaged") + (error != nullptr ? Text(": ") + error->message : Text()) +
         "; not searched for QR codes";
}

GrayImage GrayOfPixbuf(GdkPixbuf* pixbuf) {
  GrayImage gray;
  gray.width = gdk_pixbuf_get_width(pixbuf);
  gray.height = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) != FALSE;
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* rows = gdk_pixbuf_read_pixels(pixbuf);
  gray.pixels.resize(static_cast<std::size_t>(gray.width) * gray.height);
  for (int y = 0; y < gray.height; ++y) {
    const guchar* pixel = rows + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < gray.width; ++x, pixel += channels) {
      unsigned level = GrayOf(pixel[0], pixel[1], pixel[2]);
      if (alpha) level = (level * pixel[3] + 255 * (255 - pixel[3]) + 127) / 255;
      gray.pixels[static_cast<std::size_t>(y) * gray.width + x] = static_cast<unsigned char>(level);
    }
  }
  return gray;
}

}  // namespace

DecodedImage DecodeImage(std::string_view bytes, ImageFormat format, std::int64_t most_pixels) {
  DecodedImage decoded;
  const std::optional<ImageSize> size = DeclaredImageSize(bytes, format);
  if (!size || size->width <= 0 || size->height <= 0) {
    decoded.problem =
        "image damaged: its header is cut short or does not fit the file; not "
        "searched for QR codes";
    return decoded;
  }
  // Each side within the limit first: two 32-bit sides overflow their product.
  if (size->width > most_pixels || size->height > most_pixels ||
      size->width * size->height > most_pixels) {
    decoded.problem = "image of " + std::to_string(size->width) + "x" +
                      std::to_string(size->height) + " pixels, over the limit of " +
                      Megapixels(most_pixels) + "; not searched for QR codes";
    return decoded;
  }
  GError* raw_error = nullptr;
  Loader loader(gdk_pixbuf_loader_new_with_type(ImageFormatName(format), &raw_error));
  GErrorOwned error(raw_error);
  if (loader.get() == nullptr) {
    decoded.problem = Text("no decoder for ") + ImageFormatName(format) + " images";
    return decoded;
  }
  const auto* data = reinterpret_cast<const guchar*>(bytes.data());
  const bool written = gdk_pixbuf_loader_write(loader.get(), data, bytes.size(), &raw_error);
  error.reset(raw_error);
  raw_error = nullptr;
  loader.Close(written ? &raw_error : nullptr);
  if (written) error.reset(raw_error);
  // A cut-off image still shows its first rows, where a code may stand: what
  // the loader made is read even when it reported an error.
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (pixbuf == nullptr) {
    decoded.problem = Damaged(error.get());
    return decoded;
  }
  // A GIF's frames may be larger than its header says.
  if (std::int64_t{gdk_pixbuf_get_width(pixbuf)} * gdk_pixbuf_get_height(pixbuf) > most_pixels) {
    decoded.problem =
        "image over the limit of " + Megapixels(most_pixels) + "; not searched for QR codes";
    return decoded;
  }
  decoded.image = GrayOfPixbuf(pixbuf);
  return decoded;
}

}  // namespace morvik
