#include "scan/mail_attachment.h"

#include "scan/attachment.h"
#include "scan/glib_owned.h"

namespace morvik {
namespace {

// The bytes a reader needs to tell a PDF or an image (a PDF header may stand
// anywhere in the first 1024).
constexpr std::size_t kSniffBytes = 1024;

std::string_view NameOf(GMimePart* part) {
  const char* name = g_mime_part_get_filename(part);
  return name != nullptr ? name : "";
}

bool Decodes(GMimeContentEncoding encoding) {
  return encoding == GMIME_CONTENT_ENCODING_BASE64 ||
         encoding == GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE ||
         encoding == GMIME_CONTENT_ENCODING_UUENCODE;
}

enum class Decoded { NotReadable, Whole, TooLarge, Failed };

// The part's content without its transfer encoding, read in pieces: it
// stops once the first bytes show that it is no PDF or image, and once it
// passes `largest`.
Decoded Decode(GMimeDataWrapper* content, std::size_t largest, Text& bytes) {
  GMimeStream* encoded = g_mime_data_wrapper_get_stream(content);
  if (encoded == nullptr || g_mime_stream_reset(encoded) != 0) return Decoded::Failed;
  const GOwned<GMimeStream> stream(g_mime_stream_filter_new(encoded));
  const GMimeContentEncoding encoding = g_mime_data_wrapper_get_encoding(content);
  if (Decodes(encoding)) {
    const GOwned<GMimeFilter> decoder(g_mime_filter_basic_new(encoding, FALSE));
    g_mime_stream_filter_add(GMIME_STREAM_FILTER(stream.get()), decoder.get());
  }
  bool told = false;
  char buffer[64 * 1024];
  for (;;) {
    const gssize got = g_mime_stream_read(stream.get(), buffer, sizeof buffer);
    if (got < 0) return Decoded::Failed;
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (!told && bytes.size() >= kSniffBytes) {
      if (!IsReadableAttachment(bytes)) return Decoded::NotReadable;
      told = true;
    }
    if (bytes.size() > largest) return Decoded::TooLarge;
  }
  return told || IsReadableAttachment(bytes) ? Decoded::Whole : Decoded::NotReadable;
}

}  // namespace

void ReadAttachmentPart(GMimePart* part, const Text& path, const AttachmentLimits& limits,
                        MailMessage& message) {
  GMimeDataWrapper* content = g_mime_part_get_content(part);
  if (content == nullptr) return;
  Text bytes;
  const std::string_view name = NameOf(part);
  const Text place = DocumentPlace(path, name);
  switch (Decode(content, limits.largest_attachment, bytes)) {
    case Decoded::NotReadable: return;
    case Decoded::Failed: message.problems.push_back(place + "cannot be decoded"); return;
    case Decoded::TooLarge:
      message.problems.push_back(place + "larger than " +
                                 std::to_string(limits.largest_attachment >> 20) +
                                 " MiB once decoded; not scanned");
      return;
    case Decoded::Whole: break;
  }
  ScanAttachment(bytes, path, name, limits, message.links, message.problems);
}

bool ReadMislabelledPdf(GMimePart* part, const Text& path, std::string_view decoded,
                        const AttachmentLimits& limits, MailMessage& message) {
  if (!decoded.starts_with("%PDF-")) return false;
  ScanAttachment(decoded, path, NameOf(part), limits, message.links, message.problems);
  return true;
}

}  // namespace morvik
