// PDFs and QR codes as scan meets them: documents made while the test runs
// (fixtures.h) as files of their own, as message parts under any label, and
// inside HTML; and the documents scan must name and pass over.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "scan/attachment.h"
#include "scan/document.h"
#include "scan/image_decode.h"
#include "scan/pdf_page_image.h"
#include "scan/qr_codes.h"
#include "tests/scan/fixtures.h"

namespace morvik {
namespace {

// Each link as "part|element|line|shown|url".
std::vector<std::string> Described(const std::vector<ScannedLink>& links) {
  std::vector<std::string> described;
  for (const ScannedLink& scanned : links) {
    const FoundLink& link = scanned.link;
    described.push_back(link.part + "|" + std::string(link.element) + "|" +
                        std::to_string(link.line) + "|" + link.shown + "|" + link.url);
  }
  return described;
}

struct Scanned {
  std::vector<std::string> links;
  std::vector<std::string> problems;
};

Scanned Scan(const std::string& bytes, const MailLimits& limits = {}) {
  Scanned scanned;
  ScanBytes(bytes, DetectInputKind(bytes), limits, [&](ScannedMessage& message) {
    for (const std::string& link : Described(message.links)) scanned.links.push_back(link);
    for (const Text& problem : message.problems) scanned.problems.push_back(problem);
    return true;
  });
  return scanned;
}

std::string Sample(const std::string& name) {
  std::ifstream file(std::string(MORVIK_SCAN_CORPUS) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

const std::string kPhish = "https://login.mybank-secure.example/verify?id=7";

using fixtures::PdfLink;
using fixtures::PdfPage;

// A two-page PDF: annotated links whose text names another site, URLs in
// the text (one defanged), a QR code drawn on the second page.
std::string InvoicePdf() {
  return fixtures::Pdf({
      PdfPage{{PdfLink{"https://mybank.example/login", "http://mybank-example.verify-id.example/"},
               PdfLink{"Pay now", "https://pay.example/invoice/42"}},
              {"Questions? Write to support at hxxps://help[.]example/faq today."},
              ""},
      PdfPage{{}, {"Or scan the code below:"}, kPhish},
  });
}

const std::vector<std::string> kInvoiceLinks = {
    "|pdf-link|1|https://mybank.example/login|http://mybank-example.verify-id.example/",
    "|pdf-link|1|Pay now|https://pay.example/invoice/42",
    "|pdf-text|1|https://mybank.example/login|https://mybank.example/login",
    "|pdf-text|1|hxxps://help[.]example/faq|https://help.example/faq",
    "|qr|2||" + kPhish,
};

TEST(PdfTest, ListsAnnotationsTextAndCodesWithTheirPage) {
  const Scanned scanned = Scan(InvoicePdf());
  EXPECT_EQ(scanned.links, kInvoiceLinks);
  EXPECT_EQ(scanned.problems, std::vector<std::string>{});
}

struct LabelCase {
  const char* type;  // what the mailer called the PDF
};

class PdfLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(PdfLabelTest, AnAttachedPdfIsToldByContentWhateverItsLabel) {
  const Scanned scanned =
      Scan(fixtures::MailWithAttachment(GetParam().type, "invoice.pdf", InvoicePdf()));
  std::vector<std::string> expected;
  expected.reserve(kInvoiceLinks.size());
  for (const std::string& link : kInvoiceLinks) expected.push_back("2" + link);
  EXPECT_EQ(scanned.links, expected);
  EXPECT_EQ(scanned.problems, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Labels, PdfLabelTest,
                         ::testing::Values(LabelCase{"application/pdf"}, LabelCase{"image/jpeg"},
                                           LabelCase{"application/octet-stream"},
                                           LabelCase{"text/plain"}));

struct ImageCase {
  const char* name;
  std::string (*encode)(const GrayImage&);
  int module = 4;  // pixels a module: small codes in mail images have 2 or 3
};

std::string Jpeg(const GrayImage& image) { return fixtures::Encoded(image, "jpeg"); }
std::string Bmp(const GrayImage& image) { return fixtures::Encoded(image, "bmp"); }

class QrImageTest : public ::testing::TestWithParam<ImageCase> {};

TEST_P(QrImageTest, AnImageGivesTheUrlOfItsCode) {
  const std::string image = GetParam().encode(fixtures::QrCode(kPhish, GetParam().module));
  EXPECT_EQ(Scan(image).links, std::vector<std::string>{"|qr|0||" + kPhish});
  const Scanned attached = Scan(fixtures::MailWithAttachment("image/png", "code", image));
  EXPECT_EQ(attached.links, std::vector<std::string>{"2|qr|0||" + kPhish});
}

INSTANTIATE_TEST_SUITE_P(Formats, QrImageTest,
                         ::testing::Values(ImageCase{"png", fixtures::Png}, ImageCase{"jpeg", Jpeg},
                                           ImageCase{"bmp", Bmp}, ImageCase{"gif", fixtures::Gif},
                                           ImageCase{"png_modules_of_2", fixtures::Png, 2},
                                           ImageCase{"png_modules_of_3", fixtures::Png, 3},
                                           ImageCase{"jpeg_modules_of_3", Jpeg, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QrTest, ACodeThatHoldsNoUrlIsOneRowWithItsKind) {
  const Scanned scanned = Scan(fixtures::Png(fixtures::QrCode("WIFI:S:Office;T:WPA;P:x;;")));
  EXPECT_EQ(scanned.links, std::vector<std::string>{"|qr|0|WIFI:S:Office;T:WPA;P:x;;|"});
}

TEST(QrTest, DataImagesInHtmlAreRead) {
  const std::string png = fixtures::Png(fixtures::QrCode(kPhish));
  std::string base64 = fixtures::Base64(png);
  const std::string html =
      "<html><body><p>Scan to keep your account</p>\n\n<img src=\"data:image/png;base64," + base64 +
      "\"></body></html>";
  EXPECT_EQ(Scan(html).links, std::vector<std::string>{"|qr|3||" + kPhish});
}

TEST(QrTest, ImagesACidReferenceNamesAreRead) {
  const std::string png = fixtures::Png(fixtures::QrCode(kPhish));
  const std::string mail =
      "From: a@example.org\r\nSubject: s\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/related; boundary=\"r\"\r\n\r\n"
      "--r\r\nContent-Type: text/html\r\n\r\n<p>Scan</p><img src=\"cid:code@x\">\r\n"
      "--r\r\nContent-Type: image/png\r\nContent-ID: <code@x>\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\n" +
      fixtures::Base64(png) + "--r--\r\n";
  EXPECT_EQ(Scan(mail).links, std::vector<std::string>{"2|qr|0||" + kPhish});
}

struct TroubleCase {
  const char* name;
  std::string bytes;  // a message, a PDF or an image
  MailLimits limits;
  std::vector<std::string> links;  // what is still found
  std::vector<std::string> problems;
};

MailLimits Limited(void (*change)(AttachmentLimits&)) {
  MailLimits limits;
  change(limits.attachments);
  return limits;
}

std::vector<TroubleCase> TroubleCases() {
  const std::string pdf = InvoicePdf();
  const std::string png = fixtures::Png(fixtures::QrCode(kPhish));
  const std::string text_link = "1|text|1|https://news.example/|https://news.example/";
  std::string message_with =
      fixtures::MailWithAttachment("application/pdf", "locked.pdf", Sample("encrypted.pdf"));
  const auto replace = [](std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  message_with = replace(message_with, "See the attachment.", "https://news.example/");
  return {
      // No cross-reference table: poppler rebuilds it, and nothing is lost.
      {"no_xref",
       Sample("no_xref.pdf"),
       {},
       {"|pdf-link|1|https://mybank.example/ w|http://0x7f.1/login",
        "|pdf-text|1|https://mybank.example/|https://mybank.example/",
        "|pdf-text|1|www.b[.]example|www.b.example"},
       {}},
      {"encrypted",
       Sample("encrypted.pdf"),
       {},
       {},
       {"PDF encrypted (it needs a password); not scanned"}},
      {"encrypted_in_message",
       message_with,
       {},
       {text_link},
       {"part 2 (locked.pdf): PDF encrypted (it needs a password); not scanned"}},
      {"no_objects",
       "%PDF-1.4\nnothing else at all\n",
       {},
       {},
       {"PDF damaged (PDF document is damaged); not scanned"}},
      {"cut_short",
       pdf.substr(0, 400),
       {},
       {},
       {"PDF damaged (PDF document is damaged); not scanned"}},
      {"too_many_pages",
       pdf,
       Limited([](AttachmentLimits& l) { l.most_pages = 1; }),
       {kInvoiceLinks[0], kInvoiceLinks[1], kInvoiceLinks[2], kInvoiceLinks[3]},
       {"PDF of 2 pages; only the first 1 scanned"}},
      {"pages_not_rendered",
       pdf,
       Limited([](AttachmentLimits& l) { l.most_rendered_pages = 1; }),
       {kInvoiceLinks[0], kInvoiceLinks[1], kInvoiceLinks[2], kInvoiceLinks[3]},
       {}},
      {"render_time",
       pdf,
       Limited([](AttachmentLimits& l) { l.most_render_seconds = 0; }),
       {kInvoiceLinks[0], kInvoiceLinks[1], kInvoiceLinks[2], kInvoiceLinks[3]},
       {"PDF rendering over 0 s; pages after 1 not searched for QR codes"}},
      {"text_size",
       pdf,
       Limited([](AttachmentLimits& l) { l.largest_pdf_text = 10; }),
       {kInvoiceLinks[0], kInvoiceLinks[1], kInvoiceLinks[4]},
       {"PDF text over 0 MiB; the text of page 1 and after not scanned"}},
      {"image_pixels",
       png,
       Limited([](AttachmentLimits& l) { l.most_pixels = 1000; }),
       {},
       {"image of " + std::to_string(fixtures::QrCode(kPhish).width) + "x" +
        std::to_string(fixtures::QrCode(kPhish).width) +
        " pixels, over the limit of 0 megapixels; not searched for QR codes"}},
      // Sides of 2^32 - 1: their product passes any 64-bit count.
      {"image_sides_of_4_billion",
       std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 24),
       {},
       {},
       {"image of 4294967295x4294967295 pixels, over the limit of 25 megapixels; not searched "
        "for QR codes"}},
      {"image_cut_short",
       png.substr(0, 30),
       {},
       {},
       {"image damaged: Premature end-of-file encountered; not searched for QR codes"}},
      {"attachment_size",
       fixtures::MailWithAttachment("application/pdf", "big.pdf", pdf),
       Limited([](AttachmentLimits& l) { l.largest_attachment = 1024; }),
       {},
       {"part 2 (big.pdf): larger than 0 MiB once decoded; not scanned"}},
  };
}

class TroubleTest : public ::testing::TestWithParam<TroubleCase> {};

TEST_P(TroubleTest, IsNamedAndTheRestIsScanned) {
  const Scanned scanned = Scan(GetParam().bytes, GetParam().limits);
  EXPECT_EQ(scanned.links, GetParam().links);
  EXPECT_EQ(scanned.problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(Cases, TroubleTest, ::testing::ValuesIn(TroubleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ScaleCase {
  double width;
  double height;
  std::int64_t most_pixels;
  double scale;
};

const ScaleCase kScaleCases[] = {
    {595, 842, 25000000, 2.0},
    {10000, 10000, 25000000, 0.5},
    {0, 842, 25000000, 0},
    {1e12, 1e-6, 25000000, 32767 / 1e12},
    {-595, 842, 25000000, 0},
    {595, 842, 0, 0},
};

class RenderScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(RenderScaleTest, KeepsAPageWithinThePixelLimit) {
  EXPECT_DOUBLE_EQ(RenderScale(GetParam().width, GetParam().height, GetParam().most_pixels),
                   GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(Cases, RenderScaleTest, ::testing::ValuesIn(kScaleCases));

}  // namespace
}  // namespace morvik
