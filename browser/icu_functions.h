#pragma once
// The few ICU functions morvik-cli uses, as one table of function pointers:
// linked directly on Linux (Debian's libicu), and on Windows looked up at
// run time in the system's icu.dll (Windows 10 1903 and later), which
// exports them under their plain names. Where there is no icu.dll the table
// is absent and the callers fall back (IDNA) or say they could not check
// (look-alike names, hidden characters).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "support/text.h"

#if defined(_WIN32)
// MinGW ships no ICU headers: the declarations of the stable C interface we
// call, with ICU's own names and layouts. They only give the table its
// types; nothing calls these names directly.
extern "C" {
using UChar32 = std::int32_t;
using UErrorCode = int;
using UBool = std::int8_t;
using UChar = char16_t;
using UBiDiLevel = std::uint8_t;
struct UIDNA;
struct UBiDi;
struct USpoofChecker;
struct USet;
struct UIDNAInfo {
  std::int16_t size;
  UBool isTransitionalDifferent;
  UBool reservedB3;
  std::uint32_t errors;
  std::int32_t reservedI2;
  std::int32_t reservedI3;
};
enum USpoofChecks : std::int32_t {
  USPOOF_RESTRICTION_LEVEL = 16,
  USPOOF_INVISIBLE = 32,
  USPOOF_CHAR_LIMIT = 64,
  USPOOF_MIXED_NUMBERS = 128,
  USPOOF_ALL_CHECKS = 0xFFFF,
  USPOOF_AUX_INFO = 0x40000000,
};
enum URestrictionLevel : std::int32_t {
  USPOOF_ASCII = 0x10000000,
  USPOOF_SINGLE_SCRIPT_RESTRICTIVE = 0x20000000,
  USPOOF_HIGHLY_RESTRICTIVE = 0x30000000,
  USPOOF_RESTRICTION_LEVEL_MASK = 0x7F000000,
};
enum UScriptCode : std::int32_t {
  USCRIPT_COMMON = 0,
  USCRIPT_INHERITED = 1,
  USCRIPT_ARMENIAN = 3,
  USCRIPT_BENGALI = 4,
  USCRIPT_BOPOMOFO = 5,
  USCRIPT_CYRILLIC = 8,
  USCRIPT_DEVANAGARI = 10,
  USCRIPT_ETHIOPIC = 11,
  USCRIPT_GEORGIAN = 12,
  USCRIPT_GREEK = 14,
  USCRIPT_GUJARATI = 15,
  USCRIPT_GURMUKHI = 16,
  USCRIPT_HAN = 17,
  USCRIPT_HANGUL = 18,
  USCRIPT_HEBREW = 19,
  USCRIPT_HIRAGANA = 20,
  USCRIPT_KANNADA = 21,
  USCRIPT_KATAKANA = 22,
  USCRIPT_LATIN = 25,
  USCRIPT_MALAYALAM = 26,
  USCRIPT_MYANMAR = 28,
  USCRIPT_ORIYA = 31,
  USCRIPT_TAMIL = 35,
  USCRIPT_TELUGU = 36,
  USCRIPT_THAI = 38,
};
enum UCharCategory : std::int32_t {
  U_NON_SPACING_MARK = 6,
  U_CONTROL_CHAR = 15,
  U_FORMAT_CHAR = 16
};
enum : std::uint32_t {
  UIDNA_CHECK_BIDI = 4,
  UIDNA_CHECK_CONTEXTJ = 8,
  UIDNA_NONTRANSITIONAL_TO_ASCII = 0x10,
  UIDNA_NONTRANSITIONAL_TO_UNICODE = 0x20,
};
enum : std::uint32_t {
  UIDNA_ERROR_EMPTY_LABEL = 1,
  UIDNA_ERROR_LABEL_TOO_LONG = 2,
  UIDNA_ERROR_DOMAIN_NAME_TOO_LONG = 4,
  UIDNA_ERROR_LEADING_HYPHEN = 8,
  UIDNA_ERROR_TRAILING_HYPHEN = 0x10,
  UIDNA_ERROR_HYPHEN_3_4 = 0x20,
  UIDNA_ERROR_LEADING_COMBINING_MARK = 0x40,
  UIDNA_ERROR_DISALLOWED = 0x80,
  UIDNA_ERROR_PUNYCODE = 0x100,
  UIDNA_ERROR_LABEL_HAS_DOT = 0x200,
  UIDNA_ERROR_INVALID_ACE_LABEL = 0x400,
  UIDNA_ERROR_BIDI = 0x800,
  UIDNA_ERROR_CONTEXTJ = 0x1000,
  UIDNA_ERROR_CONTEXTO_PUNCTUATION = 0x2000,
  UIDNA_ERROR_CONTEXTO_DIGITS = 0x4000,
};
enum UProperty : std::int32_t {
  UCHAR_BIDI_CONTROL = 2,
  UCHAR_DEFAULT_IGNORABLE_CODE_POINT = 5,
  UCHAR_VARIATION_SELECTOR = 36,
  UCHAR_EMOJI = 57,
  UCHAR_EMOJI_MODIFIER = 59,
  UCHAR_EXTENDED_PICTOGRAPHIC = 64,
};
enum UCharNameChoice : std::int32_t { U_UNICODE_CHAR_NAME = 0 };
constexpr UBiDiLevel UBIDI_LTR = 0;
constexpr UBiDiLevel UBIDI_DEFAULT_LTR = 0xfe;
constexpr std::uint16_t UBIDI_DO_MIRRORING = 2;
constexpr std::uint16_t UBIDI_REMOVE_BIDI_CONTROLS = 8;
constexpr UErrorCode U_ZERO_ERROR = 0;
constexpr UErrorCode U_BUFFER_OVERFLOW_ERROR = 15;
inline bool U_FAILURE(UErrorCode code) { return code > U_ZERO_ERROR; }

UIDNA* uidna_openUTS46(std::uint32_t options, UErrorCode* status);
void uidna_close(UIDNA* idna);
std::int32_t uidna_nameToASCII_UTF8(const UIDNA* idna, const char* name, std::int32_t length,
                                    char* dest, std::int32_t capacity, UIDNAInfo* info,
                                    UErrorCode* status);
std::int32_t uidna_nameToUnicodeUTF8(const UIDNA* idna, const char* name, std::int32_t length,
                                     char* dest, std::int32_t capacity, UIDNAInfo* info,
                                     UErrorCode* status);
std::int32_t uidna_labelToUnicodeUTF8(const UIDNA* idna, const char* label, std::int32_t length,
                                      char* dest, std::int32_t capacity, UIDNAInfo* info,
                                      UErrorCode* status);
USpoofChecker* uspoof_open(UErrorCode* status);
void uspoof_close(USpoofChecker* checker);
void uspoof_setChecks(USpoofChecker* checker, std::int32_t checks, UErrorCode* status);
void uspoof_setRestrictionLevel(USpoofChecker* checker, URestrictionLevel level);
void uspoof_setAllowedChars(USpoofChecker* checker, const USet* chars, UErrorCode* status);
const USet* uspoof_getRecommendedSet(UErrorCode* status);
const USet* uspoof_getInclusionSet(UErrorCode* status);
std::int32_t uspoof_checkUTF8(const USpoofChecker* checker, const char* id, std::int32_t length,
                              std::int32_t* position, UErrorCode* status);
std::int32_t uspoof_getSkeletonUTF8(const USpoofChecker* checker, std::uint32_t type,
                                    const char* id, std::int32_t length, char* dest,
                                    std::int32_t capacity, UErrorCode* status);
USet* uset_openEmpty();
void uset_close(USet* set);
void uset_addAll(USet* set, const USet* additional);
void uset_removeRange(USet* set, UChar32 start, UChar32 end);
void uset_freeze(USet* set);
UScriptCode uscript_getScript(UChar32 code_point, UErrorCode* status);
UBool uscript_hasScript(UChar32 code_point, UScriptCode script);
UBool u_hasBinaryProperty(UChar32 c, UProperty which);
std::int8_t u_charType(UChar32 c);
std::uint8_t u_getCombiningClass(UChar32 c);
std::int32_t u_charName(UChar32 code, UCharNameChoice name_choice, char* buffer,
                        std::int32_t buffer_length, UErrorCode* status);
UChar* u_strFromUTF8(UChar* dest, std::int32_t capacity, std::int32_t* length, const char* src,
                     std::int32_t src_length, UErrorCode* status);
char* u_strToUTF8(char* dest, std::int32_t capacity, std::int32_t* length, const UChar* src,
                  std::int32_t src_length, UErrorCode* status);
UBiDi* ubidi_open();
void ubidi_close(UBiDi* bidi);
void ubidi_setPara(UBiDi* bidi, const UChar* text, std::int32_t length, UBiDiLevel level,
                   UBiDiLevel* embedding_levels, UErrorCode* status);
std::int32_t ubidi_writeReordered(UBiDi* bidi, UChar* dest, std::int32_t capacity,
                                  std::uint16_t options, UErrorCode* status);
}
#else
#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/uidna.h>
#include <unicode/uscript.h>
#include <unicode/uset.h>
#include <unicode/uspoof.h>
#include <unicode/ustring.h>
#endif

namespace morvik {

#define MORVIK_ICU_FUNCTIONS(X) \
  X(uidna_openUTS46)            \
  X(uidna_close)                \
  X(uidna_nameToASCII_UTF8)     \
  X(uidna_nameToUnicodeUTF8)    \
  X(uidna_labelToUnicodeUTF8)   \
  X(uspoof_open)                \
  X(uspoof_close)               \
  X(uspoof_setChecks)           \
  X(uspoof_setRestrictionLevel) \
  X(uspoof_setAllowedChars)     \
  X(uspoof_getRecommendedSet)   \
  X(uspoof_getInclusionSet)     \
  X(uspoof_checkUTF8)           \
  X(uspoof_getSkeletonUTF8)     \
  X(uset_openEmpty)             \
  X(uset_close)                 \
  X(uset_addAll)                \
  X(uset_removeRange)           \
  X(uset_freeze)                \
  X(uscript_getScript)          \
  X(uscript_hasScript)          \
  X(u_hasBinaryProperty)        \
  X(u_charType)                 \
  X(u_getCombiningClass)        \
  X(u_charName)                 \
  X(u_strFromUTF8)              \
  X(u_strToUTF8)                \
  X(ubidi_open)                 \
  X(ubidi_close)                \
  X(ubidi_setPara)              \
  X(ubidi_writeReordered)

struct IcuFunctions {
// A declaration: `name` cannot be put in parentheses.
#define MORVIK_ICU_MEMBER(name) \
  decltype(&::name) name = nullptr;  // NOLINT(bugprone-macro-parentheses)
  MORVIK_ICU_FUNCTIONS(MORVIK_ICU_MEMBER)
#undef MORVIK_ICU_MEMBER
};

// The table, or null where ICU is not available. Loaded once.
const IcuFunctions* Icu();

// ICU's way of returning text of unknown length: a call into a buffer that
// is too small reports U_BUFFER_OVERFLOW_ERROR and the length needed, and a
// second call into a buffer of that length fills it. `call(buffer, capacity,
// &status)` is one call; `guess` sizes the first buffer. Null when ICU
// reports an error.
template <typename Call>
std::optional<Text> FillIcuBuffer(std::size_t guess, const Call& call) {
  Text buffer(guess, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t length =
        call(buffer.data(), static_cast<std::int32_t>(buffer.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR && length > 0) {
      buffer.resize(static_cast<std::size_t>(length));
      continue;
    }
    if (U_FAILURE(status) || length < 0) return std::nullopt;
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
  }
  return std::nullopt;
}

}  // namespace morvik
