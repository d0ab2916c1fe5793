#pragma once
// Test documents made while the tests run, so that no binary sample has to be
// kept: QR codes drawn from libqrencode's modules, images encoded by cairo and
// gdk-pixbuf, PDFs with link annotations and text drawn on cairo's PDF surface.

#include <string>
#include <vector>

#include "scan/gray_image.h"

namespace morvik::fixtures {

// A QR code of `payload`, `module` pixels a module, with the four-module
// quiet zone the standard asks for.
GrayImage QrCode(const std::string& payload, int module = 4);

// The image as a PNG file (cairo).
std::string Png(const GrayImage& image);

// The image in a format gdk-pixbuf writes: "jpeg" or "bmp".
std::string Encoded(const GrayImage& image, const char* format);

// The image as a black and white GIF, which gdk-pixbuf does not write.
std::string Gif(const GrayImage& image);

struct PdfLink {
  std::string text;  // drawn, with the annotation over it
  std::string uri;
};

struct PdfPage {
  std::vector<PdfLink> links;
  std::vector<std::string> lines;  // running text under the links
  std::string qr;                  // a QR code drawn with vector squares, when not empty
};

// An A4 document of the pages given.
std::string Pdf(const std::vector<PdfPage>& pages);

std::string Base64(const std::string& bytes);

// A message with a text part and one attachment, base64-encoded.
std::string MailWithAttachment(const std::string& type, const std::string& filename,
                               const std::string& bytes);

}  // namespace morvik::fixtures
