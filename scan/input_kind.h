#pragma once
// What an input to `scan` is, told from its first bytes: a mail message, a
// mailbox of them, an HTML page, plain text, a PDF, an image (for its QR
// codes), or binary data that is none of these.

#include <optional>
#include <string_view>

namespace morvik {

enum class InputKind { Mail, Mailbox, Html, Text, Pdf, Image, Binary };

// How much of the start of an input DetectInputKind looks at.
constexpr std::size_t kKindSniffBytes = 4096;

// `head`: the first kKindSniffBytes bytes (or all, when fewer).
InputKind DetectInputKind(std::string_view head);

// "mail", "mbox", "html", "text", "pdf", "image" (the names --as takes);
// nothing otherwise.
std::optional<InputKind> InputKindNamed(std::string_view name);

}  // namespace morvik
