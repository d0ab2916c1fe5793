#include "scan/input_kind.h"

#include <algorithm>

#include "scan/document_magic.h"
#include "support/text.h"

namespace morvik {
namespace {

// Header fields that open a message as stored or sent.
constexpr std::string_view kMailHeaders[] = {"received",
                                             "return-path",
                                             "from",
                                             "to",
                                             "subject",
                                             "date",
                                             "message-id",
                                             "mime-version",
                                             "delivered-to",
                                             "reply-to",
                                             "x-",
                                             "content-type",
                                             "cc",
                                             "sender",
                                             "dkim-signature",
                                             "authentication-results",
                                             "arc-"};

bool IsKnownHeader(std::string_view name) {
  const Text lower = AsciiLowerCase(name);
  for (const std::string_view known : kMailHeaders) {
    if (lower == known || (known.ends_with('-') && lower.starts_with(known))) return true;
  }
  return false;
}

// A message starts with header lines ("Name: value", continued on lines
// that start with a blank) up to an empty line or the end of the head, one
// of them a field that messages carry.
bool LooksLikeHeaders(std::string_view head) {
  bool known = false;
  bool first = true;
  for (std::size_t start = 0; start < head.size();) {
    const std::size_t end = std::min(head.find('\n', start), head.size());
    std::string_view line = head.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const bool last_in_head = end == head.size();
    start = end + 1;
    if (line.empty()) return known;
    if (!first && (line[0] == ' ' || line[0] == '\t')) continue;
    first = false;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return known && last_in_head;
    for (const char c : line.substr(0, colon)) {
      if (c <= ' ' || c > '~') return false;
    }
    known = known || IsKnownHeader(line.substr(0, colon));
  }
  return known;
}

// Binary data: a NUL byte, or control bytes (other than line ends, tabs and
// form feeds) in more than 5 % of the bytes.
bool LooksBinary(std::string_view head) {
  std::size_t controls = 0;
  for (const char c : head) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) return true;
    if (byte < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f') ++controls;
  }
  return controls * 20 > head.size();  // more than 5 %
}

bool LooksLikeHtml(std::string_view head) {
  std::size_t start = head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < head.size() && (head[start] == ' ' || head[start] == '\t' || head[start] == '\n' ||
                                 head[start] == '\r')) {
    ++start;
  }
  if (start >= head.size() || head[start] != '<') return false;
  const Text lower = AsciiLowerCase(head.substr(start));
  for (const std::string_view marker : {"<!doctype html",
                                        "<html",
                                        "<head",
                                        "<body",
                                        "<a ",
                                        "<div",
                                        "<table",
                                        "<p>",
                                        "<meta",
                                        "<!--",
                                        "<form"}) {
    if (lower.find(marker) != Text::npos) return true;
  }
  return false;
}

}  // namespace

InputKind DetectInputKind(std::string_view head) {
  if (head.size() > kKindSniffBytes) head = head.substr(0, kKindSniffBytes);
  // A PDF may be all text, and an image's magic bytes are text too. A PDF
  // header after other bytes is taken only in binary data: a text may
  // quote one.
  if (head.starts_with("%PDF-") || (LooksLikePdf(head) && LooksBinary(head))) return InputKind::Pdf;
  if (ImageFormatOf(head) != ImageFormat::None) return InputKind::Image;
  if (LooksBinary(head)) return InputKind::Binary;
  if (head.starts_with("From ")) return InputKind::Mailbox;
  if (LooksLikeHeaders(head)) return InputKind::Mail;
  if (LooksLikeHtml(head)) return InputKind::Html;
  return InputKind::Text;
}

}  // namespace morvik
