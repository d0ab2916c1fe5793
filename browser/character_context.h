#pragma once
// Characters that are fine in their own company and a disguise elsewhere:
// kana signs away from kana, Han and Bopomofo strokes that look like Latin
// letters or punctuation beside other scripts, combining marks on letters
// they do not belong to, and letters that only one country's names use.

#include <span>
#include <string_view>

#include "browser/icu_functions.h"
#include "browser/name_display.h"

namespace morvik {

// The first context rule `label` breaks, or LookAlike::None.
LookAlike CharacterContextRule(const IcuFunctions& icu, std::span<const char32_t> label);

// "þ", "ð" (Icelandic, Faroese), "ə" (Azerbaijani) and "·" (Catalan, only
// as "l·l") outside the country-code domain that writes them; `tld` is the
// name's top-level domain in ASCII form.
bool HasCountryLetterElsewhere(std::span<const char32_t> label, std::string_view tld);

// Labels the policy looks at more closely even when they keep to one
// script: they hold a kana sign or a combining accent.
bool HasContextCharacter(std::span<const char32_t> label);

}  // namespace morvik
