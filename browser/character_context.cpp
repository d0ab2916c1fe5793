#include "browser/character_context.h"

#include <algorithm>
#include <initializer_list>

namespace morvik {
namespace {

constexpr char32_t kNone = 0;  // no neighbour: the label ends there

bool IsOneOf(char32_t c, std::initializer_list<char32_t> set) {
  return std::find(set.begin(), set.end(), c) != set.end();
}

bool InRange(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }

class Scripts {
 public:
  explicit Scripts(const IcuFunctions& icu) : icu_(icu) {}

  bool Has(char32_t c, UScriptCode script) const {
    return c != kNone && icu_.uscript_hasScript(static_cast<UChar32>(c), script) != 0;
  }
  bool Kana(char32_t c) const { return Has(c, USCRIPT_KATAKANA) || Has(c, USCRIPT_HIRAGANA); }
  bool Japanese(char32_t c) const { return Kana(c) || Has(c, USCRIPT_HAN); }
  bool Cjk(char32_t c) const { return Japanese(c) || Has(c, USCRIPT_BOPOMOFO); }
  bool Lgc(char32_t c) const {
    return Has(c, USCRIPT_LATIN) || Has(c, USCRIPT_GREEK) || Has(c, USCRIPT_CYRILLIC);
  }
  bool Mark(char32_t c) const {
    return c != kNone && icu_.u_charType(static_cast<UChar32>(c)) == U_NON_SPACING_MARK;
  }

 private:
  const IcuFunctions& icu_;
};

bool IsAsciiLetter(char32_t c) { return c >= 'a' && c <= 'z'; }

// Accents that combine with Latin, Greek and Cyrillic letters; the other
// combining marks of that block are outside the allowed characters.
bool IsCombiningAccent(char32_t c) { return InRange(c, 0x0300, 0x0339); }

// Kana that pass for a slash beside other scripts: ノ ソ ゾ ン, and the Han
// strokes 丶 乀 乁 丿.
bool IsSlashLookAlike(char32_t c) {
  return IsOneOf(c, {0x30CE, 0x30BD, 0x30BE, 0x30F3, 0x4E36, 0x4E40, 0x4E41, 0x4E3F});
}

// Han and Bopomofo drawn like Latin letters or punctuation: 一 ㄧ 丨 乛 七
// 丅 十 〇 ㄒ ㄚ ㄟ ㄨ ㄩ ㄈ ㆺ ㆳ 工 ㆲ 讠 丁.
bool IsCjkLatinLookAlike(char32_t c) {
  return IsOneOf(c,
                 {0x4E00, 0x3127, 0x4E28, 0x4E5B, 0x4E03, 0x4E05, 0x5341, 0x3007, 0x3112, 0x311A,
                  0x311F, 0x3128, 0x3129, 0x3108, 0x31BA, 0x31B3, 0x5DE5, 0x31B2, 0x8BA0, 0x4E01});
}

// へ べ ぺ (Hiragana) and ヘ ベ ペ (Katakana) are drawn alike: one of them
// among letters of the other kana alone.
bool IsHeAmongOtherKana(const Scripts& scripts, std::span<const char32_t> label, std::size_t at) {
  const char32_t c = label[at];
  const bool hiragana = InRange(c, 0x3078, 0x307A);
  const bool katakana = InRange(c, 0x30D8, 0x30DA);
  if ((!hiragana && !katakana) || at == 0 || at + 1 == label.size()) return false;
  const UScriptCode others = hiragana ? USCRIPT_KATAKANA : USCRIPT_HIRAGANA;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (i != at && !scripts.Has(label[i], others)) return false;
  }
  return true;
}

LookAlike RuleAt(const Scripts& scripts, std::span<const char32_t> label, std::size_t at) {
  const char32_t c = label[at];
  const char32_t before = at == 0 ? kNone : label[at - 1];
  const char32_t after = at + 1 == label.size() ? kNone : label[at + 1];
  const auto non_japanese = [&](char32_t n) { return n != kNone && !scripts.Japanese(n); };
  const auto non_cjk = [&](char32_t n) { return n != kNone && !scripts.Cjk(n); };

  if (IsSlashLookAlike(c) && non_japanese(before) && non_japanese(after)) {
    return scripts.Has(c, USCRIPT_HAN) ? LookAlike::CjkLookAlike : LookAlike::KanaContext;
  }
  if (IsCjkLatinLookAlike(c) && (non_cjk(before) || non_cjk(after))) {
    return LookAlike::CjkLookAlike;
  }
  // ヽ ヾ repeat the Katakana before them.
  if ((c == 0x30FD || c == 0x30FE) && !scripts.Has(before, USCRIPT_KATAKANA)) {
    return LookAlike::KanaContext;
  }
  // ー lengthens the kana before it; the voiced sound marks voice it.
  if ((c == 0x30FC || c == 0x3099 || c == 0x309A) && !scripts.Kana(before)) {
    return LookAlike::KanaContext;
  }
  // ・ beside a Latin letter reads as a dot.
  if (c == 0x30FB && (IsAsciiLetter(before) || IsAsciiLetter(after))) {
    return LookAlike::KanaContext;
  }
  if (IsHeAmongOtherKana(scripts, label, at)) return LookAlike::KanaContext;

  if (IsCombiningAccent(c) && !scripts.Lgc(before)) return LookAlike::MarkContext;
  // A dot above i, j or l, or any mark on a dotless ı or ȷ, makes them
  // look like the plain letter.
  if (c == 0x0307 && IsOneOf(before, {'i', 'j', 'l', 0x0131})) return LookAlike::MarkContext;
  if (scripts.Mark(c) && (before == 0x0131 || before == 0x0237)) return LookAlike::MarkContext;
  return LookAlike::None;
}

}  // namespace

LookAlike CharacterContextRule(const IcuFunctions& icu, std::span<const char32_t> label) {
  const Scripts scripts(icu);
  for (std::size_t at = 0; at < label.size(); ++at) {
    const LookAlike rule = RuleAt(scripts, label, at);
    if (rule != LookAlike::None) return rule;
  }
  return LookAlike::None;
}

bool HasCountryLetterElsewhere(std::span<const char32_t> label, std::string_view tld) {
  for (std::size_t at = 0; at < label.size(); ++at) {
    const char32_t c = label[at];
    // A label of the letter alone spells nothing else.
    if ((c == 0xFE || c == 0xF0) && label.size() > 1 && tld != "is" && tld != "fo") return true;
    if (c == 0x0259 && label.size() > 1 && tld != "az") return true;
    if (c == 0xB7) {
      const bool geminate =
          at > 0 && at + 1 < label.size() && label[at - 1] == 'l' && label[at + 1] == 'l';
      if (tld != "cat" || !geminate) return true;
    }
  }
  return false;
}

bool HasContextCharacter(std::span<const char32_t> label) {
  return std::any_of(label.begin(), label.end(), [](char32_t c) {
    return InRange(c, 0x3078, 0x307A) || InRange(c, 0x30D8, 0x30DA) || InRange(c, 0x30FB, 0x30FE) ||
           IsCombiningAccent(c);
  });
}

}  // namespace morvik
