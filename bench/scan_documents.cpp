// Writes the documents bench/scan_bench puts into its mailbox of PDFs and
// QR codes: a one-page PDF with link annotations, URLs in its text and a QR
// code, and a PNG of a QR code, made as the tests make theirs.
//
//   scan_documents PDF_FILE PNG_FILE

#include <fstream>
#include <iostream>

#include "tests/scan/fixtures.h"

int main(int argc, char** argv) {
  using namespace morvik::fixtures;
  if (argc != 3) {
    std::cerr << "usage: scan_documents PDF_FILE PNG_FILE\n";
    return 2;
  }
  const std::string pdf = Pdf({PdfPage{
      {PdfLink{"https://mybank.example/login", "http://mybank-example.verify-id.example/login"},
       PdfLink{"View your statement", "https://files.example/statement/2026-12"},
       PdfLink{"Unsubscribe", "https://news.example.org/unsubscribe?id=42"}},
      {"Your statement for December is ready.",
       "Questions? See hxxps://help.mybank-secure[.]example/faq",
       "or www.mybank.example/help.",
       "Pay within 48 hours at https://pay.example/invoice/42 to avoid a fee."},
      "https://login.mybank-secure.example/verify?id=7"}});
  const std::string png = Png(QrCode("https://login.mybank-secure.example/parcel?id=9"));
  std::ofstream(argv[1], std::ios::binary) << pdf;
  std::ofstream(argv[2], std::ios::binary) << png;
  return 0;
}
