#include "browser/script_lookalikes.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace morvik {
namespace {

// The letters of each script that an address bar's font draws like Latin
// ones. ICU's confusable data maps few of them to Latin (it pairs "ո" with
// "n" but not "ս" with "u"), so the sets are the policy's own.
struct ScriptLookAlikes {
  UScriptCode script;
  std::u32string_view letters;  // lower case: names are
  std::initializer_list<const char*> own_domains;
};

const ScriptLookAlikes kScripts[] = {
    {USCRIPT_ARMENIAN, U"ագզէլհյոսւօՙ", {"am"}},
    {USCRIPT_CYRILLIC,
     U"аысԁеԍһіюјкӏорԗԛѕԝхуъьҽпгѵѡ",
     {"bg", "by", "kz", "pyc", "ru", "su", "ua", "uz"}},
    {USCRIPT_ETHIOPIC, U"ሀሠሰስበነተከዐዕዘጠፐꬅ", {"er", "et"}},
    {USCRIPT_GEORGIAN, U"იოყძხჽჿ", {"ge"}},
    {USCRIPT_GREEK, U"αικνρυωηοτ", {"gr"}},
    {USCRIPT_HEBREW, U"דוחיןסװײ׳ﬦ", {"il"}},
    {USCRIPT_MYANMAR, U"ခဂငထပဝ၀၂ၔၜ႐႑႕႖႗", {"mm"}},
    // The smaller set that looks Latin in the address bar of every
    // platform (more Thai letters do in some Linux fonts).
    {USCRIPT_THAI, U"บพเแ๐", {"th"}},
    // Indic scripts: no country writes one alone in its names.
    {USCRIPT_BENGALI, U"০৭", {}},
    {USCRIPT_DEVANAGARI, U"ऽ०ॱ", {}},
    {USCRIPT_GUJARATI, U"ડટ૦૧", {}},
    {USCRIPT_GURMUKHI, U"੦੧", {}},
    {USCRIPT_KANNADA, U"ಽ೦೧", {}},
    {USCRIPT_MALAYALAM, U"ടഠധനറ൦", {}},
    {USCRIPT_ORIYA, U"ଠ୦୮", {}},
    {USCRIPT_TAMIL, U"டப௦", {}},
    {USCRIPT_TELUGU, U"౦౧", {}},
};

// Characters drawn like ASCII digits ("θ" like 0, "շ" like 2, "з" like 3).
constexpr std::u32string_view kDigitLookAlikes = U"θ२২੨૨೩೭շзҙӡउওਤ੩૩౩ဒვპੜ੫丩ㄐճ৪੪୫૭୨౨";

bool Contains(std::u32string_view set, char32_t wanted) {
  return set.find(wanted) != std::u32string_view::npos;
}

UScriptCode ScriptOf(const IcuFunctions& icu, char32_t c) {
  UErrorCode status = U_ZERO_ERROR;
  const UScriptCode script = icu.uscript_getScript(static_cast<UChar32>(c), &status);
  return U_FAILURE(status) ? USCRIPT_COMMON : script;
}

bool IsOwnDomain(const IcuFunctions& icu, const ScriptLookAlikes& script, std::string_view tld,
                 std::span<const char32_t> tld_unicode) {
  if (std::any_of(tld_unicode.begin(), tld_unicode.end(), [&](char32_t c) {
        return ScriptOf(icu, c) == script.script;
      })) {
    return true;
  }
  return std::any_of(script.own_domains.begin(), script.own_domains.end(), [&](const char* own) {
    return tld == own;
  });
}

}  // namespace

bool IsWholeScriptLookAlike(const IcuFunctions& icu, std::span<const char32_t> label,
                            std::string_view tld, std::span<const char32_t> tld_unicode) {
  const ScriptLookAlikes* script = nullptr;
  for (const char32_t c : label) {
    const UScriptCode own = ScriptOf(icu, c);
    if (script == nullptr) {
      const auto* found =
          std::find_if(std::begin(kScripts), std::end(kScripts), [own](const ScriptLookAlikes& s) {
            return s.script == own;
          });
      if (found != std::end(kScripts)) script = found;
      if (script != nullptr && !Contains(script->letters, c)) return false;
      continue;
    }
    if (own == script->script && !Contains(script->letters, c)) return false;
  }
  return script != nullptr && !IsOwnDomain(icu, *script, tld, tld_unicode);
}

bool IsDigitLookAlike(std::span<const char32_t> label) {
  bool look_alike = false;
  for (const char32_t c : label) {
    if (c >= '0' && c <= '9') continue;
    if (!Contains(kDigitLookAlikes, c)) return false;
    look_alike = true;
  }
  return look_alike;
}

}  // namespace morvik
