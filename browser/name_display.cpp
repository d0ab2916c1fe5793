// The display policy, label by label as browsers apply theirs: a label that
// is plain ASCII is always shown; any other label must pass ICU's checks and
// the whole-script rule, and the name as a whole must not share its skeleton
// with a plain ASCII name. One failing label puts the whole name in ASCII.

#include "browser/name_display.h"

#include <algorithm>
#include <vector>

#include "browser/icu_functions.h"
#include "browser/idna.h"
#include "support/text.h"
#include "support/utf8.h"

namespace morvik {
namespace {

constexpr std::size_t kLongestDnsName = 253;

constexpr std::int32_t kChecks =
    USPOOF_RESTRICTION_LEVEL | USPOOF_INVISIBLE | USPOOF_CHAR_LIMIT | USPOOF_MIXED_NUMBERS;

// Highly restrictive: one script, or Latin with Han and the Japanese kana,
// with Han and Bopomofo, or with Han and Hangul; and only characters that
// UTS 39 recommends for identifiers (or includes, like "-").
const USpoofChecker* DisplayChecker(const IcuFunctions& icu) {
  static const USpoofChecker* const checker = [&icu]() -> const USpoofChecker* {
    UErrorCode status = U_ZERO_ERROR;
    USpoofChecker* opened = icu.uspoof_open(&status);
    if (U_FAILURE(status)) return nullptr;
    icu.uspoof_setChecks(opened, kChecks, &status);
    icu.uspoof_setRestrictionLevel(opened, USPOOF_HIGHLY_RESTRICTIVE);
    USet* allowed = icu.uset_openEmpty();
    icu.uset_addAll(allowed, icu.uspoof_getRecommendedSet(&status));
    icu.uset_addAll(allowed, icu.uspoof_getInclusionSet(&status));
    icu.uset_freeze(allowed);
    icu.uspoof_setAllowedChars(opened, allowed, &status);  // a copy: ours goes
    icu.uset_close(allowed);
    if (U_FAILURE(status)) {
      icu.uspoof_close(opened);
      return nullptr;
    }
    return opened;
  }();
  return checker;
}

// Look-alikes that ICU's confusable data (as of ICU 72) does not make: the
// small palochka "ӏ" has no dot and is drawn as "l", but its skeleton is
// "i". Applied before any skeleton is taken.
constexpr struct {
  const char* from;
  const char* to;
} kExtraLookAlikes[] = {{"\xD3\x8F", "l"}};

Text WithExtraLookAlikes(std::string_view text) {
  Text mapped(text);
  for (const auto& extra : kExtraLookAlikes) mapped = ReplaceText(mapped, extra.from, extra.to);
  return mapped;
}

Text Skeleton(const IcuFunctions& icu, const USpoofChecker* checker, std::string_view text) {
  const Text mapped = WithExtraLookAlikes(text);
  const auto skeleton = [&](char* buffer, std::int32_t capacity, UErrorCode* status) {
    return icu.uspoof_getSkeletonUTF8(checker,
                                      0,
                                      mapped.data(),
                                      static_cast<std::int32_t>(mapped.size()),
                                      buffer,
                                      capacity,
                                      status);
  };
  return FillIcuBuffer(mapped.size() + 16, skeleton).value_or(Text());
}

// Code points of well-formed UTF-8 (IDNA output always is).
template <typename Visit>
void ForEachCodePoint(std::string_view text, const Visit& visit) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, at));
    visit(text.substr(at, length), Utf8CodePoint(text.substr(at, length)));
    at += length;
  }
}

// One script other than Latin (Common and Inherited characters aside),
// and a skeleton of ASCII letters only: "аррӏе" in Cyrillic.
bool IsWholeScriptLatinLookAlike(const IcuFunctions& icu, const USpoofChecker* checker,
                                 std::string_view label) {
  UScriptCode script = USCRIPT_COMMON;
  bool one_script = true;
  ForEachCodePoint(label, [&](std::string_view, char32_t code_point) {
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode own = icu.uscript_getScript(static_cast<UChar32>(code_point), &status);
    if (U_FAILURE(status) || own == USCRIPT_COMMON || own == USCRIPT_INHERITED) return;
    if (script == USCRIPT_COMMON) script = own;
    if (own != script) one_script = false;
  });
  if (!one_script || script == USCRIPT_COMMON || script == USCRIPT_LATIN) return false;
  return IsAscii(Skeleton(icu, checker, label));
}

LookAlike CheckLabel(const IcuFunctions& icu, const USpoofChecker* checker,
                     std::string_view label) {
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t failed = icu.uspoof_checkUTF8(
      checker, label.data(), static_cast<std::int32_t>(label.size()), nullptr, &status);
  if (U_FAILURE(status)) return LookAlike::OutsideProfile;
  if ((failed & USPOOF_CHAR_LIMIT) != 0) return LookAlike::OutsideProfile;
  if ((failed & USPOOF_INVISIBLE) != 0) return LookAlike::Invisible;
  if ((failed & USPOOF_RESTRICTION_LEVEL) != 0) return LookAlike::MixedScripts;
  if ((failed & USPOOF_MIXED_NUMBERS) != 0) return LookAlike::MixedNumbers;
  if (IsWholeScriptLatinLookAlike(icu, checker, label)) return LookAlike::WholeScript;
  return LookAlike::None;
}

// Letters, digits, "-" and dots: a name, not "ab/c.com".
bool IsHostName(std::string_view text) {
  for (const char c : text) {
    if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  }
  return true;
}

// The plain ASCII name that looks like `unicode`: each other character
// replaced by its own skeleton when that is ASCII, and kept only when the
// whole name's skeleton then matches. Empty when there is none.
Text AsciiLookAlike(const IcuFunctions& icu, const USpoofChecker* checker,
                    std::string_view unicode) {
  Text candidate;
  bool ascii = true;
  ForEachCodePoint(unicode, [&](std::string_view character, char32_t code_point) {
    if (!ascii) return;
    if (code_point < 0x80) {
      candidate += character;
      return;
    }
    const Text own = Skeleton(icu, checker, character);
    ascii = !own.empty() && IsAscii(own);
    candidate += AsciiLowerCase(own);
  });
  if (!ascii || !IsHostName(candidate)) return {};
  const Text skeleton = Skeleton(icu, checker, unicode);
  if (Skeleton(icu, checker, candidate) == skeleton) return candidate;
  return {};
}

}  // namespace

NameDisplay DisplayName(std::string_view ascii, std::string_view unicode) {
  NameDisplay result;
  if (IsAscii(unicode)) {
    result.display = Text(unicode);
    return result;
  }
  const IcuFunctions* icu = Icu();
  const USpoofChecker* checker = icu == nullptr ? nullptr : DisplayChecker(*icu);
  // A name longer than DNS allows reaches no server; it is not judged.
  if (checker == nullptr || ascii.size() > kLongestDnsName) {
    result.display = Text(ascii);
    result.rule = LookAlike::NotChecked;
    return result;
  }
  for (const std::string_view label : SplitLabels(unicode)) {
    if (IsAscii(label)) continue;
    result.rule = CheckLabel(*icu, checker, label);
    if (result.rule != LookAlike::None) break;
  }
  result.looks_like = AsciiLookAlike(*icu, checker, unicode);
  if (result.rule == LookAlike::None && !result.looks_like.empty()) {
    result.rule = LookAlike::AsciiName;
  }
  result.display = Text(result.rule == LookAlike::None ? unicode : ascii);
  return result;
}

}  // namespace morvik
