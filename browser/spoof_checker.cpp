#include "browser/spoof_checker.h"

#include <cstdint>

namespace morvik {
namespace {

constexpr std::int32_t kChecks = USPOOF_RESTRICTION_LEVEL | USPOOF_INVISIBLE | USPOOF_CHAR_LIMIT |
                                 USPOOF_MIXED_NUMBERS | USPOOF_AUX_INFO;

// Characters UTS 39 allows in identifiers that still pass for something
// else in an address bar: a slash overlay, hyphen and apostrophe look-alikes,
// and the rarely written Latin, Greek and Cyrillic blocks (Pinyin tone
// letters "ǔ", "ḷ", "ĸ"), whose letters are mostly variants of common ones.
constexpr struct {
  UChar32 first;
  UChar32 last;
} kNotShown[] = {
    {0x0138, 0x0138},  // ĸ, kra
    {0x01CD, 0x01DC},  // Latin Extended-B: Pinyin
    {0x02BB, 0x02BC},  // ʻ ʼ, quotation mark look-alikes
    {0x02EC, 0x02EC},  // ˬ, voicing
    {0x0338, 0x0338},  // combining long solidus: a slash
    {0x058A, 0x058A},  // Armenian hyphen
    {0x1C80, 0x1C8F},  // Cyrillic Extended-C
    {0x1E00, 0x1E9B},  // Latin Extended Additional
    {0x1F00, 0x1FFF},  // Greek Extended
    {0x2010, 0x2010},  // hyphen
    {0x2019, 0x2019},  // right single quotation mark
    {0x2027, 0x2027},  // hyphenation point
    {0x30A0, 0x30A0},  // Katakana-Hiragana double hyphen
    {0xA640, 0xA69F},  // Cyrillic Extended-B
    {0xA720, 0xA7FF},  // Latin Extended-D
};

}  // namespace

const USpoofChecker* DisplayChecker(const IcuFunctions& icu) {
  static const USpoofChecker* const checker = [&icu]() -> const USpoofChecker* {
    UErrorCode status = U_ZERO_ERROR;
    USpoofChecker* opened = icu.uspoof_open(&status);
    if (U_FAILURE(status)) return nullptr;
    icu.uspoof_setChecks(opened, kChecks, &status);
    // One script, or Latin with Han and the Japanese kana, with Han and
    // Bopomofo, or with Han and Hangul.
    icu.uspoof_setRestrictionLevel(opened, USPOOF_HIGHLY_RESTRICTIVE);
    // What UTS 39 recommends for identifiers or includes (like "-").
    USet* allowed = icu.uset_openEmpty();
    icu.uset_addAll(allowed, icu.uspoof_getRecommendedSet(&status));
    icu.uset_addAll(allowed, icu.uspoof_getInclusionSet(&status));
    for (const auto& range : kNotShown) icu.uset_removeRange(allowed, range.first, range.last);
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

}  // namespace morvik
