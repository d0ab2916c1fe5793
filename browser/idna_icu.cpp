// IDNA through ICU's UTS 46 implementation, with the options a browser's URL
// parser uses, and with the errors browsers let pass taken out of ICU's
// error bits, one named rule each.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "browser/icu_functions.h"
#include "browser/idna.h"
#include "support/text.h"

namespace morvik {
namespace {

// Non-transitional ("ß" stays "ß"), CheckBidi, CheckJoiners; no STD3 rules.
// ICU has no switch for hyphen checks or DNS lengths: those errors are
// reported and dropped below.
constexpr std::uint32_t kBrowserOptions = UIDNA_CHECK_BIDI | UIDNA_CHECK_CONTEXTJ |
                                          UIDNA_NONTRANSITIONAL_TO_ASCII |
                                          UIDNA_NONTRANSITIONAL_TO_UNICODE;

struct ErrorRule {
  std::uint32_t bit;
  const char* name;
  bool browsers_pass;  // a browser goes to the name all the same
};

constexpr std::array<ErrorRule, 15> kErrorRules = {{
    // VerifyDnsLength is off: empty labels and long names are no errors.
    {UIDNA_ERROR_EMPTY_LABEL, "empty label", true},
    {UIDNA_ERROR_LABEL_TOO_LONG, "label over 63 bytes", true},
    {UIDNA_ERROR_DOMAIN_NAME_TOO_LONG, "name over 253 bytes", true},
    // CheckHyphens is off.
    {UIDNA_ERROR_LEADING_HYPHEN, "leading hyphen", true},
    {UIDNA_ERROR_TRAILING_HYPHEN, "trailing hyphen", true},
    {UIDNA_ERROR_HYPHEN_3_4, "hyphens in third and fourth place", true},
    {UIDNA_ERROR_LEADING_COMBINING_MARK, "leading combining mark", false},
    {UIDNA_ERROR_DISALLOWED, "disallowed character", false},
    // Pass only for labels written in ASCII (see KeepBrokenAsciiLabels).
    {UIDNA_ERROR_PUNYCODE, "broken punycode", false},
    {UIDNA_ERROR_LABEL_HAS_DOT, "label maps to a dot", false},
    {UIDNA_ERROR_INVALID_ACE_LABEL, "invalid xn-- label", false},
    {UIDNA_ERROR_BIDI, "bidi rule", false},
    {UIDNA_ERROR_CONTEXTJ, "joiner rule", false},
    // Not asked for (CheckContextO is no browser option); listed for completeness.
    {UIDNA_ERROR_CONTEXTO_PUNCTUATION, "contexto punctuation", false},
    {UIDNA_ERROR_CONTEXTO_DIGITS, "contexto digits", false},
}};

// ICU converts a whole name at once, through copies of it in UTF-16; a name
// longer than this (a million times what DNS can carry, and longer than
// some browsers allow a whole URL) is refused rather than copied.
constexpr std::size_t kLongestName = std::size_t{1024} * 1024;
constexpr const char* kTooLong = "name over 1 MiB, not converted";

constexpr std::uint32_t kBrokenEncoding = UIDNA_ERROR_PUNYCODE | UIDNA_ERROR_INVALID_ACE_LABEL;

constexpr std::uint32_t kPassingErrors = [] {
  std::uint32_t bits = 0;
  for (const ErrorRule& rule : kErrorRules) {
    if (rule.browsers_pass) bits |= rule.bit;
  }
  return bits;
}();

Text ErrorNames(std::uint32_t errors) {
  Text names;
  for (const ErrorRule& rule : kErrorRules) {
    if ((errors & rule.bit) == 0) continue;
    if (!names.empty()) names += ", ";
    names += rule.name;
  }
  return names.empty() ? Text("refused") : names;
}

const UIDNA* BrowserIdna(const IcuFunctions& icu) {
  static const UIDNA* const idna = [&icu] {
    UErrorCode status = U_ZERO_ERROR;
    UIDNA* opened = icu.uidna_openUTS46(kBrowserOptions, &status);
    return U_FAILURE(status) ? nullptr : opened;
  }();
  return idna;
}

using IcuConvert = decltype(IcuFunctions::uidna_nameToASCII_UTF8);

struct Converted {
  bool ok = false;  // ICU ran; `errors` says what it found
  Text text;
  std::uint32_t errors = 0;
};

Converted Run(IcuConvert convert, const UIDNA* idna, std::string_view input) {
  UIDNAInfo info = {};
  // Mapping rarely grows a name much; a second call fits any growth.
  std::optional<Text> text = FillIcuBuffer(
      input.size() + 64, [&](char* buffer, std::int32_t capacity, UErrorCode* status) {
        info = {};
        info.size = sizeof info;
        return convert(idna,
                       input.data(),
                       static_cast<std::int32_t>(input.size()),
                       buffer,
                       capacity,
                       &info,
                       status);
      });
  if (!text) return {};
  return {true, std::move(*text), info.errors};
}

bool IsAsciiPunycodeLabel(std::string_view label) {
  return StartsWithIgnoringAsciiCase(label, "xn--") && IsAscii(label);
}

// Browsers go to a name whose "xn--" label, written in ASCII, does not
// decode ("xn--", "xn--zz"), and keep that label as it stands. Such labels
// are set aside (replaced by a plain label, which no rule looks at twice),
// the rest of the name is converted, and they are put back in their place.
// Null when no label was set aside, or the labels do not line up.
std::optional<Converted> KeepBrokenAsciiLabels(const IcuFunctions& icu, const UIDNA* idna,
                                               std::string_view name) {
  const std::vector<std::string_view> labels = SplitLabels(name);
  std::vector<bool> kept(labels.size(), false);
  Text stand_in;
  bool any = false;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) stand_in += '.';
    if (IsAsciiPunycodeLabel(labels[i])) {
      const Converted alone = Run(icu.uidna_labelToUnicodeUTF8, idna, labels[i]);
      if (alone.ok && (alone.errors & kBrokenEncoding) != 0) {
        kept[i] = true;
        any = true;
        stand_in += "a";
        continue;
      }
    }
    stand_in += labels[i];
  }
  if (!any) return std::nullopt;
  Converted converted = Run(icu.uidna_nameToASCII_UTF8, idna, stand_in);
  if (!converted.ok) return std::nullopt;
  const std::vector<std::string_view> parts = SplitLabels(converted.text);
  if (parts.size() != labels.size()) return std::nullopt;
  Text joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += '.';
    joined += kept[i] ? AsciiLowerCase(labels[i]) : Text(parts[i]);
  }
  converted.text = std::move(joined);
  return converted;
}

// Capital sharp s (U+1E9E): UTS 46 maps it to "ß" since Unicode 15.1, to "ss"
// before; browsers carry the newer data ("FAẞ.de" goes to xn--fa-hia.de). An
// ICU with older data (Debian 12's ICU 72) is given "ß" in its place.
bool MapsCapitalSharpSToSs(const IcuFunctions& icu, const UIDNA* idna) {
  static const bool old_mapping = [&] {
    const Converted sharp_s = Run(icu.uidna_nameToASCII_UTF8, idna, "\xE1\xBA\x9E");
    return sharp_s.ok && sharp_s.text == "ss";
  }();
  return old_mapping;
}

Text WithCurrentSharpS(const IcuFunctions& icu, const UIDNA* idna, const Text& name) {
  constexpr const char* kCapital = "\xE1\xBA\x9E";
  if (name.find(kCapital) == Text::npos || !MapsCapitalSharpSToSs(icu, idna)) return name;
  return ReplaceText(name, kCapital, "\xC3\x9F");
}

}  // namespace

#if !defined(_WIN32)
// ICU is linked in on Linux; only an ICU without its data ends up here.
IdnaResult FallbackDomainToAscii(const Text&) { return {false, {}, "ICU has no IDNA data"}; }
IdnaResult FallbackDomainToUnicode(const Text&) { return {false, {}, "ICU has no IDNA data"}; }
#endif

IdnaResult DomainToAscii(const Text& utf8_domain) {
  if (utf8_domain.size() > kLongestName) return {false, {}, kTooLong};
  const IcuFunctions* icu = Icu();
  const UIDNA* idna = icu == nullptr ? nullptr : BrowserIdna(*icu);
  if (idna == nullptr) return FallbackDomainToAscii(utf8_domain);
  if (utf8_domain.find('\0') != Text::npos) return {false, {}, "NUL character"};

  const Text name = WithCurrentSharpS(*icu, idna, utf8_domain);
  Converted converted = Run(icu->uidna_nameToASCII_UTF8, idna, name);
  if (!converted.ok) return {false, {}, "not valid UTF-8"};
  if ((converted.errors & kBrokenEncoding) != 0) {
    if (std::optional<Converted> kept = KeepBrokenAsciiLabels(*icu, idna, name)) {
      converted = std::move(*kept);
    }
  }
  const std::uint32_t errors = converted.errors & ~kPassingErrors;
  if (errors != 0) return {false, {}, ErrorNames(errors)};
  return {true, std::move(converted.text), {}};
}

IdnaResult DomainToUnicode(const Text& ascii_domain) {
  if (ascii_domain.size() > kLongestName) return {false, {}, kTooLong};
  const IcuFunctions* icu = Icu();
  const UIDNA* idna = icu == nullptr ? nullptr : BrowserIdna(*icu);
  if (idna == nullptr) return FallbackDomainToUnicode(ascii_domain);

  Converted whole = Run(icu->uidna_nameToUnicodeUTF8, idna, ascii_domain);
  if (!whole.ok) return {false, {}, "not valid UTF-8"};
  if ((whole.errors & ~kPassingErrors) == 0) return {true, std::move(whole.text), {}};
  return {true,
          DecodeLabelByLabel(ascii_domain,
                             [&](std::string_view label) -> std::optional<Text> {
                               Converted decoded = Run(icu->uidna_labelToUnicodeUTF8, idna, label);
                               if (!decoded.ok || (decoded.errors & ~kPassingErrors) != 0)
                                 return std::nullopt;
                               return std::move(decoded.text);
                             }),
          {}};
}

}  // namespace morvik
