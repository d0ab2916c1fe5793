#include "browser/character_class.h"

#include <algorithm>
#include <array>

#include "browser/icu_functions.h"
#include "support/utf8.h"

namespace morvik {
namespace {

constexpr char32_t kSoftHyphen = 0xAD;  // the first default-ignorable code point
constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;
constexpr char32_t kEmojiPresentationSelector = 0xFE0F;
constexpr char32_t kBlackFlag = 0x1F3F4;  // begins an emoji tag sequence (subdivision flags)
constexpr char32_t kFirstTag = 0xE0020;
constexpr char32_t kCancelTag = 0xE007F;
constexpr std::uint8_t kViramaCombiningClass = 9;

bool IsControl(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

// The Bidi_Control set, for a system without ICU; ICU's own is used where
// it is present.
bool IsKnownDirectionControl(char32_t code_point) {
  return code_point == 0x061C || code_point == 0x200E || code_point == 0x200F ||
         (code_point >= 0x202A && code_point <= 0x202E) ||
         (code_point >= 0x2066 && code_point <= 0x2069);
}

bool IsTag(char32_t code_point) { return code_point >= kFirstTag && code_point <= kCancelTag; }

bool Has(const IcuFunctions& icu, char32_t code_point, UProperty property) {
  return icu.u_hasBinaryProperty(static_cast<UChar32>(code_point), property) != 0;
}

}  // namespace

CharacterClass ClassifyCharacter(char32_t code_point) {
  if (IsControl(code_point)) return CharacterClass::Control;
  if (code_point < kSoftHyphen) return CharacterClass::Shown;
  const IcuFunctions* icu = Icu();
  if (icu == nullptr) {
    return IsKnownDirectionControl(code_point) ? CharacterClass::DirectionControl
                                               : CharacterClass::Shown;
  }
  if (Has(*icu, code_point, UCHAR_BIDI_CONTROL)) return CharacterClass::DirectionControl;
  if (Has(*icu, code_point, UCHAR_DEFAULT_IGNORABLE_CODE_POINT)) return CharacterClass::Invisible;
  return CharacterClass::Shown;
}

bool InvisibleBelongsAfter(char32_t before, char32_t code_point) {
  const IcuFunctions* icu = Icu();
  if (icu == nullptr) return false;
  const bool after_virama =
      icu->u_getCombiningClass(static_cast<UChar32>(before)) == kViramaCombiningClass;
  if (code_point == kZeroWidthNonJoiner) return after_virama;
  if (code_point == kZeroWidthJoiner) {
    return after_virama || before == kEmojiPresentationSelector ||
           Has(*icu, before, UCHAR_EXTENDED_PICTOGRAPHIC) ||
           Has(*icu, before, UCHAR_EMOJI_MODIFIER);
  }
  if (Has(*icu, code_point, UCHAR_VARIATION_SELECTOR)) {
    // ASCII letters have no variation sequences: there a selector only hides.
    return before >= 0x80 && ClassifyCharacter(before) == CharacterClass::Shown;
  }
  if (IsTag(code_point)) return before == kBlackFlag || IsTag(before);
  return false;
}

Text DrawnText(std::string_view text) {
  Text drawn;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    const std::string_view sequence = text.substr(at, std::max<std::size_t>(1, length));
    if (length == 0) {
      drawn += "\xEF\xBF\xBD";
    } else if (ClassifyCharacter(Utf8CodePoint(sequence)) == CharacterClass::Shown) {
      drawn += sequence;
    }
    at += sequence.size();
  }
  return drawn;
}

Text CodePointNumber(char32_t code_point) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  Text number = "U+";
  int shift = 20;
  while (shift > 12 && (code_point >> shift) == 0) shift -= 4;
  for (; shift >= 0; shift -= 4) number += kDigits[(code_point >> shift) & 15];
  return number;
}

Text CharacterLabel(char32_t code_point) {
  Text label = CodePointNumber(code_point);
  const IcuFunctions* icu = Icu();
  if (icu == nullptr) return label;
  std::array<char, 128> name{};  // the longest name has 88 characters
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t length = icu->u_charName(static_cast<UChar32>(code_point),
                                              U_UNICODE_CHAR_NAME,
                                              name.data(),
                                              static_cast<std::int32_t>(name.size()),
                                              &status);
  if (!U_FAILURE(status) && length > 0 && static_cast<std::size_t>(length) < name.size()) {
    label += ' ';
    label.append(name.data(), static_cast<std::size_t>(length));
  }
  return label;
}

}  // namespace morvik
