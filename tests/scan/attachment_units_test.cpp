// The pieces of PDF and image reading that need no document: telling formats
// by content, the sizes image headers declare, what a QR payload holds, data:
// URLs and the resolution a page is drawn at.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/document_magic.h"
#include "scan/html_images.h"
#include "scan/input_kind.h"
#include "scan/qr_payload.h"

namespace morvik {
namespace {

struct FormatCase {
  std::string bytes;
  ImageFormat format;
  bool pdf;
  InputKind kind;  // as a file given to scan
};

// A BMP's file header and 40-byte information header: 16 x -16 pixels.
const std::string kBmpHead = std::string("BM\x36\x00\x00\x00\0\0\0\0\x36\0\0\0\x28\0\0\0", 18) +
                             std::string("\x10\0\0\0\xF0\xFF\xFF\xFF", 8) + std::string(28, '\0');

// kBmpHead with `value` written over the four bytes at `at`.
std::string BmpWith(std::size_t at, std::uint32_t value) {
  std::string bytes = kBmpHead;
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

const FormatCase kFormatCases[] = {
    {"\x89PNG\r\n\x1A\n....", ImageFormat::Png, false, InputKind::Image},
    {"\xFF\xD8\xFF\xE0", ImageFormat::Jpeg, false, InputKind::Image},
    {"GIF89a..", ImageFormat::Gif, false, InputKind::Image},
    {"GIF87a..", ImageFormat::Gif, false, InputKind::Image},
    {kBmpHead, ImageFormat::Bmp, false, InputKind::Image},
    // "BM" opens texts too: the reserved fields tell an image.
    {"BMW drivers, see https://cars.example/ for the recall notice",
     ImageFormat::None,
     false,
     InputKind::Text},
    {"%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj", ImageFormat::None, true, InputKind::Pdf},
    // Junk before the header is allowed in a PDF; in a text it is a quotation.
    {std::string(200, '\0') + "%PDF-1.4", ImageFormat::None, true, InputKind::Pdf},
    {"a note: files start with %PDF-1.4 and then objects",
     ImageFormat::None,
     true,
     InputKind::Text},
    {std::string(1100, 'x') + "%PDF-1.4", ImageFormat::None, false, InputKind::Text},
    {"\x89PNG", ImageFormat::None, false, InputKind::Text},
    {"", ImageFormat::None, false, InputKind::Text},
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, IsToldByContent) {
  EXPECT_EQ(ImageFormatOf(GetParam().bytes), GetParam().format);
  EXPECT_EQ(LooksLikePdf(GetParam().bytes), GetParam().pdf);
  EXPECT_EQ(DetectInputKind(GetParam().bytes), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatTest, ::testing::ValuesIn(kFormatCases));

struct SizeCase {
  std::string bytes;
  ImageFormat format;
  std::int64_t width;  // -1: no size
  std::int64_t height;
};

const std::string kPngHead("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\x2C\0\x01\x00\x00", 24);
const std::string kJpegHead =
    std::string("\xFF\xD8", 2) + std::string("\xFF\xE0\x00\x04\x00\x00", 6) +  // APP0, a short one
    std::string("\xFF\xFF", 2) +                                               // a fill byte
    std::string("\xFF\xC2\x00\x11\x08\x02\x58\x03\x20\x03\x01\x22\x00", 13);   // SOF2: 800x600

const SizeCase kSizeCases[] = {
    {kPngHead, ImageFormat::Png, 300, 65536},
    {kPngHead.substr(0, 20), ImageFormat::Png, -1, -1},
    {std::string("GIF89a\x40\x01\xF0\x00", 10), ImageFormat::Gif, 320, 240},
    {"GIF89a\x40", ImageFormat::Gif, -1, -1},
    // A negative height: rows top-down.
    {kBmpHead, ImageFormat::Bmp, 16, 16},
    // Header sizes the file cannot hold, on which the decoder would allocate
    // gigabytes: the information header's size, the pixel data's offset, the
    // number of colours.
    {BmpWith(14, 0xFF7E0028), ImageFormat::Bmp, -1, -1},
    {BmpWith(14, 124), ImageFormat::Bmp, -1, -1},
    {BmpWith(10, 0x10000), ImageFormat::Bmp, -1, -1},
    {BmpWith(46, 0xFFFFFFF0), ImageFormat::Bmp, -1, -1},
    {kBmpHead.substr(0, 40), ImageFormat::Bmp, -1, -1},
    {kJpegHead, ImageFormat::Jpeg, 800, 600},
    // The Huffman table marker (C4) is no frame.
    {std::string("\xFF\xD8\xFF\xC4\x00\x04\x00\x00\xFF\xC0\x00\x11\x08\x00\x10\x00\x20", 17),
     ImageFormat::Jpeg,
     32,
     16},
    {std::string("\xFF\xD8\xFF\xE0\x00\x01", 6), ImageFormat::Jpeg, -1, -1},
    {std::string("\xFF\xD8\xFF\xE0\x00\x40", 6), ImageFormat::Jpeg, -1, -1},
    {std::string("\xFF\xD8\x00", 3), ImageFormat::Jpeg, -1, -1},
};

class DeclaredSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DeclaredSizeTest, IsReadFromTheHeader) {
  const std::optional<ImageSize> size = DeclaredImageSize(GetParam().bytes, GetParam().format);
  if (GetParam().width < 0) {
    EXPECT_FALSE(size.has_value());
    return;
  }
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->width, GetParam().width);
  EXPECT_EQ(size->height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeclaredSizeTest, ::testing::ValuesIn(kSizeCases));

struct PayloadCase {
  std::string payload;
  const char* kind;  // nullptr: a link to `url`
  std::string url;
};

const PayloadCase kPayloadCases[] = {
    {"https://login.mybank-secure.example/verify?id=1",
     nullptr,
     "https://login.mybank-secure.example/verify?id=1"},
    {"  https://a.example/\r\n", nullptr, "https://a.example/"},
    {"www.pay.example/x", nullptr, "www.pay.example/x"},
    {"hxxps://evil[.]example/", nullptr, "https://evil.example/"},
    // Look like URLs, act otherwise.
    {"upi://pay?pa=merchant@bank&am=10", "QR code holds a payment, not a link", ""},
    {"otpauth://totp/Bank:me?secret=JBSWY3DPEHPK3PXP",
     "QR code holds a one-time password key, not a link",
     ""},
    {"bitcoin:1BoatSLRHtKNngkdXEeobR76b53LETtpyT?amount=0.1",
     "QR code holds a payment, not a link",
     ""},
    {"BCD\n002\n1\nSCT\n\nShop\nDE89370400440532013000\nEUR12.30",
     "QR code holds a payment, not a link",
     ""},
    {"WIFI:S:Office;T:WPA;P:hunter2;;", "QR code holds a Wi-Fi network, not a link", ""},
    {"BEGIN:VCARD\nVERSION:3.0\nURL:https://a.example\nEND:VCARD",
     "QR code holds a contact card, not a link",
     ""},
    {"mailto:help@bank.example", "QR code holds an e-mail address, not a link", ""},
    {"TEL:+441234567", "QR code holds a phone number, not a link", ""},
    {"Scan done. Visit https://a.example to finish", "QR code holds text, not a link", ""},
    {"https://a.example/ https://b.example/", "QR code holds text, not a link", ""},
    {"just words", "QR code holds text, not a link", ""},
    {"", "QR code holds text, not a link", ""},
};

class QrPayloadTest : public ::testing::TestWithParam<PayloadCase> {};

TEST_P(QrPayloadTest, IsALinkOrSaysWhatItHolds) {
  std::vector<FoundLink> links;
  AddQrPayload(GetParam().payload, "2", 3, links);
  ASSERT_EQ(links.size(), 1u);
  const FoundLink& link = links.front();
  EXPECT_EQ(link.element, "qr");
  EXPECT_EQ(link.part, "2");
  EXPECT_EQ(link.line, 3);
  EXPECT_EQ(link.url, GetParam().url);
  if (GetParam().kind == nullptr) {
    EXPECT_EQ(link.payload_kind, nullptr);
    EXPECT_EQ(link.shown, "");
  } else {
    ASSERT_NE(link.payload_kind, nullptr);
    EXPECT_STREQ(link.payload_kind, GetParam().kind);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, QrPayloadTest, ::testing::ValuesIn(kPayloadCases));

struct DataUrlCase {
  std::string url;
  bool is_data;
  std::string bytes;
};

const DataUrlCase kDataUrlCases[] = {
    {"data:image/png;base64,iVBORw0K", true, "\x89PNG\r\n"},
    {" DATA:image/gif;BASE64,R0lG\nODlh", true, "GIF89a"},
    {"data:,a%20b%4", true, "a b%4"},
    {"data:image/png;base64", false, ""},
    {"https://a.example/x.png", false, ""},
};

class DataUrlTest : public ::testing::TestWithParam<DataUrlCase> {};

TEST_P(DataUrlTest, GivesItsBytes) {
  const std::optional<Text> bytes = DataUrlBytes(GetParam().url);
  ASSERT_EQ(bytes.has_value(), GetParam().is_data);
  if (bytes) {
    EXPECT_EQ(*bytes, GetParam().bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DataUrlTest, ::testing::ValuesIn(kDataUrlCases));

}  // namespace
}  // namespace morvik
