#include "scan/attachment.h"

#include "scan/document_magic.h"
#include "scan/image_decode.h"
#include "scan/pdf_links.h"
#include "scan/qr_codes.h"
#include "scan/qr_payload.h"
#include "scan/reader_availability.h"

namespace morvik {
namespace {

// Problems as found, each prefixed with the place; the build's notices bare.
void AddProblems(std::vector<Text>& found, std::string_view place, std::vector<Text>& problems) {
  for (Text& problem : found) {
    const bool notice = problem == kNoPdfReader || problem == kNoQrReader;
    problems.push_back(notice ? std::move(problem) : Text(place) + problem);
  }
}

}  // namespace

Text DocumentPlace(std::string_view part, std::string_view name) {
  if (part.empty()) return "";
  Text place = "part " + Text(part);
  if (!name.empty()) place += " (" + Text(name) + ")";
  return place + ": ";
}

bool IsReadableAttachment(std::string_view bytes) {
  return LooksLikePdf(bytes) || ImageFormatOf(bytes) != ImageFormat::None;
}

void ScanImage(std::string_view bytes, std::string_view part, std::int64_t line,
               std::string_view place, const AttachmentLimits& limits,
               std::vector<FoundLink>& links, std::vector<Text>& problems) {
  if (!BuildReadsQrCodes()) {
    problems.emplace_back(kNoQrReader);
    return;
  }
  const ImageFormat format = ImageFormatOf(bytes);
  if (format == ImageFormat::None) return;
  const DecodedImage decoded = DecodeImage(bytes, format, limits.most_pixels);
  if (!decoded.problem.empty()) problems.push_back(Text(place) + decoded.problem);
  if (!decoded.image) return;
  for (const Text& payload : FindQrPayloads(*decoded.image)) {
    AddQrPayload(payload, part, line, links);
  }
}

void ScanAttachment(std::string_view bytes, std::string_view part, std::string_view name,
                    const AttachmentLimits& limits, std::vector<FoundLink>& links,
                    std::vector<Text>& problems) {
  const Text place = DocumentPlace(part, name);
  std::vector<Text> found;
  if (LooksLikePdf(bytes)) {
    FindPdfLinks(bytes, part, limits, links, found);
  } else {
    ScanImage(bytes, part, 0, "", limits, links, found);
  }
  AddProblems(found, place, problems);
}

}  // namespace morvik
