#pragma once
// What an input to `scan` is, told from its first bytes: a mail message, a
// mailbox of them, an HTML page, plain text, a PDF, an image (for its QR
// codes), or binary data that is none of these.

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace morvik {

enum class InputKind { Mail, Mailbox, Html, Text, Pdf, Image, Binary };

// How much of the start of an input DetectInputKind looks at.
constexpr std::size_t kKindSniffBytes = 4096;

// `head`: the first kKindSniffBytes bytes (or all, when fewer).
InputKind DetectInputKind(std::string_view head);

// The names --as takes. Inline, so that the command line of a build without
// scan (the Windows program) can still check them.
struct NamedInputKind {
  std::string_view name;
  InputKind kind;
};
inline constexpr NamedInputKind kNamedInputKinds[] = {{"mail", InputKind::Mail},
                                                      {"mbox", InputKind::Mailbox},
                                                      {"html", InputKind::Html},
                                                      {"text", InputKind::Text},
                                                      {"pdf", InputKind::Pdf},
                                                      {"image", InputKind::Image}};

inline std::optional<InputKind> InputKindNamed(std::string_view name) {
  for (const NamedInputKind& named : kNamedInputKinds) {
    if (named.name == name) return named.kind;
  }
  return std::nullopt;
}

// "mail, mbox, html, text, pdf or image".
inline std::string InputKindChoices() {
  std::string choices;
  for (const NamedInputKind& named : kNamedInputKinds) {
    if (!choices.empty()) choices += &named == std::end(kNamedInputKinds) - 1 ? " or " : ", ";
    choices += named.name;
  }
  return choices;
}

}  // namespace morvik
