#include "browser/label_policy.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "browser/character_context.h"
#include "browser/script_lookalikes.h"
#include "support/utf8.h"

namespace morvik {
namespace {

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> code_points;
  code_points.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, at));
    code_points.push_back(Utf8CodePoint(text.substr(at, length)));
    at += length;
  }
  return code_points;
}

// What ICU's checks found; its restriction level in `level`.
LookAlike SpoofCheckRule(const IcuFunctions& icu, const USpoofChecker& checker,
                         std::string_view label, std::int32_t& level) {
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t result = icu.uspoof_checkUTF8(
      &checker, label.data(), static_cast<std::int32_t>(label.size()), nullptr, &status);
  level = result & USPOOF_RESTRICTION_LEVEL_MASK;
  const std::int32_t failed = result & USPOOF_ALL_CHECKS;
  if (U_FAILURE(status)) return LookAlike::OutsideProfile;
  if ((failed & USPOOF_CHAR_LIMIT) != 0) return LookAlike::OutsideProfile;
  if ((failed & USPOOF_INVISIBLE) != 0) return LookAlike::Invisible;
  if ((failed & USPOOF_RESTRICTION_LEVEL) != 0) return LookAlike::MixedScripts;
  if ((failed & USPOOF_MIXED_NUMBERS) != 0) return LookAlike::MixedNumbers;
  return LookAlike::None;
}

bool HasNonAsciiLatin(const IcuFunctions& icu, std::span<const char32_t> label) {
  return std::any_of(label.begin(), label.end(), [&](char32_t c) {
    UErrorCode status = U_ZERO_ERROR;
    return c >= 0x80 && icu.uscript_getScript(static_cast<UChar32>(c), &status) == USCRIPT_LATIN;
  });
}

}  // namespace

LookAlike JudgeLabel(const IcuFunctions& icu, const USpoofChecker& checker, std::string_view label,
                     const TopLevelDomain& tld) {
  const std::vector<char32_t> letters = CodePoints(label);
  // Reserved for encodings like "xn--": IDNA's hyphen check, which a
  // browser's URL parser skips and its address bar does not.
  if (letters.size() >= 4 && letters[2] == '-' && letters[3] == '-') return LookAlike::HyphenLabel;

  std::int32_t level = 0;
  if (const LookAlike rule = SpoofCheckRule(icu, checker, label, level); rule != LookAlike::None) {
    return rule;
  }
  if (HasCountryLetterElsewhere(letters, tld.ascii)) return LookAlike::CountryLetter;
  if (level == USPOOF_ASCII) return LookAlike::None;

  if (level == USPOOF_SINGLE_SCRIPT_RESTRICTIVE && !HasContextCharacter(letters)) {
    if (IsWholeScriptLookAlike(icu, letters, tld.ascii, CodePoints(tld.unicode))) {
      return LookAlike::WholeScript;
    }
    return IsDigitLookAlike(letters) ? LookAlike::DigitLookAlike : LookAlike::None;
  }
  if (IsDigitLookAlike(letters)) return LookAlike::DigitLookAlike;
  // Latin with Han, kana or Hangul: ASCII letters only.
  if (level != USPOOF_SINGLE_SCRIPT_RESTRICTIVE && HasNonAsciiLatin(icu, letters)) {
    return LookAlike::LatinWithCjk;
  }
  return CharacterContextRule(icu, letters);
}

}  // namespace morvik
