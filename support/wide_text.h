#pragma once
// UTF-8 and the UTF-16 of the Windows API, both ways (Windows only).

#include <string>
#include <string_view>

#include "support/text.h"

namespace morvik {

// Empty for an empty text and for bytes that are not well-formed UTF-8.
std::wstring WideFromUtf8(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD.
Text Utf8FromWide(std::wstring_view wide);

}  // namespace morvik
