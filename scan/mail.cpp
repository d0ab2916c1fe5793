#include "scan/mail.h"

#include <gmime/gmime.h>

#include <mutex>

#include "scan/charset.h"
#include "scan/html_images.h"
#include "scan/html_links.h"
#include "scan/mail_attachment.h"
#include "scan/text_links.h"

namespace morvik {
namespace {

constexpr std::size_t kMiB = std::size_t{1024} * 1024;

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
      for (int i = 0; i < count; ++i) {
        const Text child = (path.empty() ? "" : path + ".") + std::to_string(i + 1);
        Walk(g_mime_multipart_get_part(multipart, i), child, depth + 1);
      }
      return;
    }
    if (GMIME_IS_PART(object)) ReadLeaf(GMIME_PART(object), path.empty() ? "1" : path);
  }

 private:
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
      message_.problems.push_back("part " + path + ": text larger than " +
                                  std::to_string(limits_.largest_text_part / kMiB) +
                                  " MiB; not scanned");
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
    const Utf8Text text = ToUtf8(raw, charset != nullptr ? charset : "");
    if (!text.note.empty()) message_.problems.push_back("part " + path + ": " + text.note);
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
