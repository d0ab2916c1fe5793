#include "scan/mail.h"

#include <gmime/gmime.h>

#include <mutex>
#include <optional>

#include "scan/charset.h"
#include "scan/html_images.h"
#include "scan/html_links.h"
#include "scan/mail_attachment.h"
#include "scan/text_links.h"
#include "scan/unfold.h"

namespace morvik {
namespace {

void InitialiseGMime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

// Releases a GObject reference when it goes out of scope.
template <typename T>
class Owned {
 public:
  explicit Owned(T* object) : object_(object) {}
  ~Owned() {
    if (object_ != nullptr) g_object_unref(object_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T* get() const { return object_; }

 private:
  T* object_;
};

// The parser's findings that mean part of the input was not read as sent.
const char* ProblemOf(GMimeParserWarning warning) {
  switch (warning) {
    case GMIME_WARN_TRUNCATED_MESSAGE: return "message truncated";
    case GMIME_WARN_MALFORMED_MESSAGE: return "malformed message";
    case GMIME_WARN_MALFORMED_MULTIPART: return "multipart without parts";
    case GMIME_CRIT_INVALID_HEADER_NAME: return "invalid header name; parts may be skipped";
    case GMIME_CRIT_MULTIPART_WITHOUT_BOUNDARY: return "multipart without boundary";
    case GMIME_CRIT_NESTING_OVERFLOW: return "parts nested too deeply; the deepest not read";
    case GMIME_CRIT_PART_WITHOUT_HEADERS_OR_CONTENT: return "part without headers or content";
    default: return nullptr;
  }
}

// A boundary the parser kept with a quote that was never closed, without
// it; nothing for a boundary that is whole.
std::optional<Text> RepairedBoundary(std::string_view boundary) {
  const bool opened = boundary.starts_with('"');
  const bool closed = boundary.size() > 1 && boundary.ends_with('"');
  if (opened == closed) return std::nullopt;
  boundary.remove_prefix(opened ? 1 : 0);
  boundary.remove_suffix(closed ? 1 : 0);
  while (!boundary.empty() && (boundary.back() == ' ' || boundary.back() == '\t')) {
    boundary.remove_suffix(1);
  }
  if (boundary.empty()) return std::nullopt;
  return Text(boundary);
}

class MessageWalker {
 public:
  MessageWalker(const MailLimits& limits, MailMessage& message)
      : limits_(limits), message_(message) {}

  void Walk(GMimeObject* object, const Text& path, int depth) {
    if (object == nullptr) return;
    if (depth > limits_.deepest_nesting) {
      if (!told_too_deep_) {
        message_.problems.push_back("parts nested deeper than " +
                                    std::to_string(limits_.deepest_nesting) +
                                    " levels; the deeper ones not scanned");
        told_too_deep_ = true;
      }
      return;
    }
    if (GMIME_IS_MESSAGE_PART(object)) {
      GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
      if (inner != nullptr) Walk(g_mime_message_get_mime_part(inner), path, depth + 1);
      return;
    }
    if (GMIME_IS_MULTIPART(object)) {
      GMimeMultipart* multipart = GMIME_MULTIPART(object);
      const int count = g_mime_multipart_get_count(multipart);
      if (count == 0 && RepairBoundary(multipart, path, depth)) return;
      for (int i = 0; i < count; ++i) {
        const Text child = (path.empty() ? "" : path + ".") + std::to_string(i + 1);
        Walk(g_mime_multipart_get_part(multipart, i), child, depth + 1);
      }
      return;
    }
    if (GMIME_IS_PART(object)) ReadLeaf(GMIME_PART(object), path.empty() ? "1" : path);
  }

 private:
  // A boundary whose quote is never closed (boundary="abc) is taken by the
  // parser with the quote, so no part is found and the whole body is left
  // as the multipart's prologue. A mail reader takes the boundary without
  // the quote: so is the prologue read again here, with a note.
  bool RepairBoundary(GMimeMultipart* multipart, const Text& path, int depth) {
    const char* boundary = g_mime_multipart_get_boundary(multipart);
    const char* prologue = g_mime_multipart_get_prologue(multipart);
    if (boundary == nullptr || prologue == nullptr) return false;
    const std::optional<Text> repaired = RepairedBoundary(boundary);
    if (!repaired) return false;
    GMimeContentType* type = g_mime_object_get_content_type(GMIME_OBJECT(multipart));
    const char* subtype = type != nullptr ? g_mime_content_type_get_media_subtype(type) : nullptr;
    const Text headers = "Content-Type: multipart/" + Text(subtype != nullptr ? subtype : "mixed") +
                         "; boundary=\"" + *repaired + "\"\r\n\r\n";
    Owned<GMimeStream> stream(g_mime_stream_mem_new());
    g_mime_stream_write(stream.get(), headers.data(), headers.size());
    g_mime_stream_write_string(stream.get(), prologue);
    g_mime_stream_reset(stream.get());
    Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    Owned<GMimeObject> part(g_mime_parser_construct_part(parser.get(), nullptr));
    if (part.get() == nullptr || !GMIME_IS_MULTIPART(part.get()) ||
        g_mime_multipart_get_count(GMIME_MULTIPART(part.get())) == 0) {
      return false;
    }
    std::erase(message_.problems, Text("message truncated"));
    message_.notes.push_back((path.empty() ? Text("message") : "part " + path) +
                             ": boundary quote not closed; read as " + *repaired);
    Walk(part.get(), path, depth + 1);
    return true;
  }

  void ReadLeaf(GMimePart* part, const Text& path) {
    GMimeContentType* type = g_mime_object_get_content_type(GMIME_OBJECT(part));
    if (type == nullptr) return;
    if (!g_mime_content_type_is_type(type, "text", "*")) {
      ReadAttachmentPart(part, path, limits_.attachments, message_);
      return;
    }
    const bool html = g_mime_content_type_is_type(type, "text", "html");
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (content == nullptr) return;
    const gint64 encoded = g_mime_stream_length(g_mime_data_wrapper_get_stream(content));
    if (encoded > 0 && static_cast<std::uint64_t>(encoded) > limits_.largest_text_part) {
      message_.problems.push_back("part " + path + ": text " +
                                  OverSizeProblem(limits_.largest_text_part));
      return;
    }
    Owned<GMimeStream> decoded(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, decoded.get()) < 0) {
      message_.problems.push_back("part " + path + ": cannot be decoded");
      return;
    }
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(decoded.get()));
    const std::string_view raw(reinterpret_cast<const char*>(bytes->data), bytes->len);
    if (ReadMislabelledPdf(part, path, raw, limits_.attachments, message_)) return;
    const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    Utf8Text text = ToUtf8(raw, charset != nullptr ? charset : "");
    if (!text.note.empty()) message_.notes.push_back("part " + path + ": " + text.note);
    const char* type_name = g_mime_content_type_get_media_type(type);
    const char* subtype_name = g_mime_content_type_get_media_subtype(type);
    if (FoldsContentLines(type_name != nullptr ? type_name : "",
                          subtype_name != nullptr ? subtype_name : "")) {
      text.text = UnfoldContentLines(text.text);
    }
    if (html) {
      if (!FindHtmlLinks(text.text, path, message_.links)) {
        message_.problems.push_back("part " + path + ": " + kTooDeepHtml);
      }
      FindHtmlImageCodes(text.text, path, limits_.attachments, message_.links, message_.problems);
    } else {
      FindTextLinks(text.text, path, message_.links);
    }
  }

  const MailLimits& limits_;
  MailMessage& message_;
  bool told_too_deep_ = false;
};

struct WarningSink {
  MailMessage* message = nullptr;
};

void OnParserWarning(gint64 /*offset*/, GMimeParserWarning warning, const gchar* /*item*/,
                     gpointer user_data) {
  auto* sink = static_cast<WarningSink*>(user_data);
  const char* problem = ProblemOf(warning);
  if (problem == nullptr || sink->message == nullptr) return;
  for (const Text& known : sink->message->problems) {
    if (known == problem) return;
  }
  sink->message->problems.emplace_back(problem);
}

bool ReadMessages(GMimeStream* stream, bool mailbox, const MailLimits& limits,
                  const MailHandler& handler) {
  Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream));
  g_mime_parser_set_format(parser.get(), mailbox ? GMIME_FORMAT_MBOX : GMIME_FORMAT_MESSAGE);
  // Parts stay in the input stream instead of being copied out of it.
  g_mime_parser_set_persist_stream(parser.get(), TRUE);
  GMimeParserOptions* options = g_mime_parser_options_new();
  WarningSink sink;
  g_mime_parser_options_set_warning_callback(options, OnParserWarning, &sink);
  bool go_on = true;
  for (std::int64_t number = 1; go_on; ++number) {
    MailMessage message;
    message.number = number;
    sink.message = &message;
    Owned<GMimeMessage> parsed(g_mime_parser_construct_message(parser.get(), options));
    if (parsed.get() == nullptr) {
      if (number == 1)
        message.problems.emplace_back(mailbox ? "no message in the mailbox" : "not a mail message");
      if (!message.problems.empty()) go_on = handler(message);
      break;
    }
    MessageWalker(limits, message).Walk(g_mime_message_get_mime_part(parsed.get()), "", 0);
    go_on = handler(message);
    if (!mailbox || g_mime_parser_eos(parser.get())) break;
  }
  g_mime_parser_options_free(options);
  return go_on;
}

}  // namespace

Text OverSizeProblem(std::size_t limit) {
  return "larger than " + std::to_string(limit / kMiB) + " MiB; not scanned";
}

bool ReadMailFile(int fd, bool mailbox, const MailLimits& limits, const MailHandler& handler) {
  InitialiseGMime();
  Owned<GMimeStream> stream(g_mime_stream_fs_new(fd));
  g_mime_stream_fs_set_owner(GMIME_STREAM_FS(stream.get()), FALSE);
  return ReadMessages(stream.get(), mailbox, limits, handler);
}

bool ReadMailBytes(std::string_view bytes, bool mailbox, const MailLimits& limits,
                   const MailHandler& handler) {
  InitialiseGMime();
  Owned<GMimeStream> stream(
      g_mime_stream_mem_new_with_buffer(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return ReadMessages(stream.get(), mailbox, limits, handler);
}

}  // namespace morvik
