#include "scan/charset.h"

#include <glib.h>

#include "support/text.h"
#include "support/utf8.h"

namespace morvik {
namespace {

Text Latin1ToUtf8(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

Utf8Text Fallback(std::string_view bytes, const Text& why) {
  if (IsUtf8(bytes)) return {Text(bytes), why + "; read as UTF-8"};
  return {Latin1ToUtf8(bytes), why + "; read as ISO-8859-1"};
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

Utf8Text ToUtf8(std::string_view bytes, std::string_view label) {
  const Text name = AsciiLowerCase(label);
  if (name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii") {
    if (IsUtf8(bytes)) return {Text(bytes), {}};
    if (name.empty()) return {Latin1ToUtf8(bytes), {}};
    return Fallback(bytes, "text is not valid " + Text(label));
  }
  const Text charset(label);
  const GIConv converter = g_iconv_open("UTF-8", charset.c_str());
  if (converter == reinterpret_cast<GIConv>(-1)) {
    return Fallback(bytes, "charset '" + charset + "' unknown");
  }
  GError* error = nullptr;
  gsize written = 0;
  gchar* converted = g_convert_with_iconv(
      bytes.data(), static_cast<gssize>(bytes.size()), converter, nullptr, &written, &error);
  g_iconv_close(converter);
  g_clear_error(&error);
  if (converted == nullptr) return Fallback(bytes, "text is not valid " + charset);
  Text text(converted, written);
  g_free(converted);
  return {std::move(text), {}};
}

}  // namespace morvik
