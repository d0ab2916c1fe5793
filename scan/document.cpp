#include "scan/document.h"

#include <unordered_map>

#include "scan/attachment.h"
#include "scan/charset.h"
#include "scan/html_images.h"
#include "scan/html_links.h"
#include "scan/text_links.h"

namespace morvik {
namespace {

bool HandleMail(MailMessage& mail, const ScanHandler& handler) {
  ScannedMessage message;
  message.number = mail.number;
  message.links = Deduplicate(std::move(mail.links));
  message.problems = std::move(mail.problems);
  message.notes = std::move(mail.notes);
  return handler(message);
}

}  // namespace

std::vector<ScannedLink> Deduplicate(std::vector<FoundLink> links) {
  std::vector<ScannedLink> unique;
  std::unordered_map<Text, std::size_t> seen;  // URL, NUL, shown text -> index in `unique`
  for (FoundLink& link : links) {
    Text key = link.url;
    key += '\0';
    key += link.shown;
    const auto [entry, added] = seen.try_emplace(std::move(key), unique.size());
    if (added) {
      unique.push_back({std::move(link), 1});
    } else {
      unique[entry->second].count += 1;
    }
  }
  return unique;
}

bool ScanBytes(std::string_view bytes, InputKind kind, const MailLimits& limits,
               const ScanHandler& handler) {
  if (kind == InputKind::Mail || kind == InputKind::Mailbox) {
    return ReadMailBytes(bytes, kind == InputKind::Mailbox, limits, [&](MailMessage& mail) {
      return HandleMail(mail, handler);
    });
  }
  ScannedMessage message;
  if (kind == InputKind::Binary) {
    message.problems.emplace_back("binary data, not mail, HTML, text, PDF or image; not scanned");
    return handler(message);
  }
  // A page or a text file is taken as UTF-8, as ISO-8859-1 when it is not.
  const bool document = kind == InputKind::Pdf || kind == InputKind::Image;
  const Utf8Text text = document ? Utf8Text{} : ToUtf8(bytes, "");
  std::vector<FoundLink> links;
  if (document) {
    ScanAttachment(bytes, "", "", limits.attachments, links, message.problems);
  } else if (kind == InputKind::Html) {
    if (!FindHtmlLinks(text.text, "", links)) message.problems.push_back(kTooDeepHtml);
    FindHtmlImageCodes(text.text, "", limits.attachments, links, message.problems);
  } else {
    FindTextLinks(text.text, "", links);
  }
  message.links = Deduplicate(std::move(links));
  return handler(message);
}

bool ScanMailFile(int fd, InputKind kind, const MailLimits& limits, const ScanHandler& handler) {
  return ReadMailFile(fd, kind == InputKind::Mailbox, limits, [&](MailMessage& mail) {
    return HandleMail(mail, handler);
  });
}

}  // namespace morvik
