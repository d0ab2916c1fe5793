#pragma once
// Labels whose letters all pass for something else: written wholly in
// letters of one script that look like Latin ones ("аррӏе" in Cyrillic,
// "ոսօ" in Armenian), or wholly in digits and letters like digits ("1շ").

#include <span>
#include <string_view>

#include "browser/icu_functions.h"

namespace morvik {

// True when every letter of `label` that belongs to one of the scripts
// below is one of that script's Latin look-alikes, and the top-level domain
// (`tld`, ASCII form; `tld_unicode`) is not that script's own: a country
// code that writes the script, or a top-level domain written in it.
bool IsWholeScriptLookAlike(const IcuFunctions& icu, std::span<const char32_t> label,
                            std::string_view tld, std::span<const char32_t> tld_unicode);

// Only ASCII digits and characters drawn like digits, at least one of them.
bool IsDigitLookAlike(std::span<const char32_t> label);

}  // namespace morvik
