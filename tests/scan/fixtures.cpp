#include "tests/scan/fixtures.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <qrencode.h>

#include <memory>
#include <stdexcept>

namespace morvik::fixtures {
namespace {

struct QrFree {
  void operator()(QRcode* code) const { QRcode_free(code); }
};
struct SurfaceFree {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextFree {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Context = std::unique_ptr<cairo_t, ContextFree>;

constexpr int kQuietModules = 4;

std::unique_ptr<QRcode, QrFree> Encode(const std::string& payload) {
  std::unique_ptr<QRcode, QrFree> code(QRcode_encodeString8bit(payload.c_str(), 0, QR_ECLEVEL_M));
  if (!code) throw std::runtime_error("libqrencode cannot encode " + payload);
  return code;
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void DrawQr(cairo_t* context, const std::string& payload, double x, double y, double module) {
  const auto code = Encode(payload);
  for (int row = 0; row < code->width; ++row) {
    for (int column = 0; column < code->width; ++column) {
      if ((code->data[row * code->width + column] & 1) == 0) continue;
      cairo_rectangle(context, x + column * module, y + row * module, module, module);
    }
  }
  cairo_set_source_rgb(context, 0, 0, 0);
  cairo_fill(context);
}

}  // namespace

GrayImage QrCode(const std::string& payload, int module) {
  const auto code = Encode(payload);
  const int side = (code->width + 2 * kQuietModules) * module;
  GrayImage image;
  image.width = side;
  image.height = side;
  image.pixels.assign(static_cast<std::size_t>(side) * side, 255);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int row = y / module - kQuietModules;
      const int column = x / module - kQuietModules;
      if (row < 0 || column < 0 || row >= code->width || column >= code->width) continue;
      if (code->data[row * code->width + column] & 1) image.pixels[y * side + x] = 0;
    }
  }
  return image;
}

std::string Png(const GrayImage& image) {
  const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height));
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t level = image.pixels[y * image.width + x];
      row[x] = level << 16 | level << 8 | level;
    }
  }
  cairo_surface_mark_dirty(surface.get());
  std::string png;
  cairo_surface_write_to_png_stream(surface.get(), Append, &png);
  return png;
}

std::string Encoded(const GrayImage& image, const char* format) {
  std::vector<guchar> rgb(static_cast<std::size_t>(image.width) * image.height * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = image.pixels[i];
  }
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgb.data(),
                                               GDK_COLORSPACE_RGB,
                                               FALSE,
                                               8,
                                               image.width,
                                               image.height,
                                               image.width * 3,
                                               nullptr,
                                               nullptr);
  gchar* buffer = nullptr;
  gsize size = 0;
  GError* error = nullptr;
  const bool saved = gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, format, &error, nullptr);
  g_object_unref(pixbuf);
  if (!saved) {
    const std::string message = error != nullptr ? error->message : "";
    if (error != nullptr) g_error_free(error);
    throw std::runtime_error("gdk-pixbuf cannot write " + std::string(format) + ": " + message);
  }
  std::string bytes(buffer, size);
  g_free(buffer);
  return bytes;
}

std::string Gif(const GrayImage& image) {
  const auto little16 = [](int value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
  };
  std::string gif = "GIF89a" + little16(image.width) + little16(image.height);
  gif += std::string("\x81\0\0", 3);                         // a table of four colours follows
  gif += std::string("\0\0\0\xFF\xFF\xFF\0\0\0\0\0\0", 12);  // black, white
  gif += "," + little16(0) + little16(0) + little16(image.width) + little16(image.height);
  gif += std::string("\0\x02", 2);  // no local colours; LZW codes start at 2 bits a pixel
  // Uncompressed LZW: 3-bit codes, the table cleared (code 4) before every
  // two pixels so that the code size never grows; the end is code 5.
  std::string data;
  std::uint32_t bits = 0;
  int count = 0;
  const auto put = [&](std::uint32_t code) {
    bits |= code << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    if (i % 2 == 0) put(4);
    put(image.pixels[i] < 128 ? 0 : 1);
  }
  put(5);
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  return gif + std::string("\0;", 2);
}

std::string Pdf(const std::vector<PdfPage>& pages) {
  std::string pdf;
  {
    const Surface surface(cairo_pdf_surface_create_for_stream(Append, &pdf, 595, 842));
    const Context context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    for (const PdfPage& page : pages) {
      cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
      cairo_set_font_size(cr, 12);
      cairo_set_source_rgb(cr, 0, 0, 0);
      double y = 72;
      for (const PdfLink& link : page.links) {
        cairo_move_to(cr, 72, y);
        const std::string attributes = "uri='" + link.uri + "'";
        cairo_tag_begin(cr, CAIRO_TAG_LINK, attributes.c_str());
        cairo_show_text(cr, link.text.c_str());
        cairo_tag_end(cr, CAIRO_TAG_LINK);
        y += 24;
      }
      for (const std::string& line : page.lines) {
        cairo_move_to(cr, 72, y);
        cairo_show_text(cr, line.c_str());
        y += 24;
      }
      if (!page.qr.empty()) DrawQr(cr, page.qr, 72, y + 24, 3);
      cairo_show_page(cr);
    }
  }
  return pdf;
}

std::string Base64(const std::string& bytes) {
  gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
  const std::string whole(encoded);
  g_free(encoded);
  std::string text;
  // Lines of 76 characters, as mailers write them.
  for (std::size_t at = 0; at < whole.size(); at += 76) text += whole.substr(at, 76) + "\r\n";
  return text;
}

std::string MailWithAttachment(const std::string& type, const std::string& filename,
                               const std::string& bytes) {
  return "From: a@example.org\r\nTo: b@example.org\r\nSubject: invoice\r\nMIME-Version: 1.0\r\n"
         "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
         "--b\r\nContent-Type: text/plain\r\n\r\nSee the attachment.\r\n"
         "--b\r\nContent-Type: " +
         type + "; name=\"" + filename + "\"\r\nContent-Disposition: attachment; filename=\"" +
         filename + "\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64(bytes) + "--b--\r\n";
}

}  // namespace morvik::fixtures
