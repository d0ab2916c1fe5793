#include "browser/visual_order.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "browser/character_class.h"
#include "browser/icu_functions.h"

namespace morvik {
namespace {

struct BidiCloser {
  const IcuFunctions* icu;
  void operator()(UBiDi* bidi) const { icu->ubidi_close(bidi); }
};
using BidiHandle = std::unique_ptr<UBiDi, BidiCloser>;

std::optional<std::vector<UChar>> ToUtf16(const IcuFunctions& icu, std::string_view text) {
  std::vector<UChar> utf16(text.size() + 1);  // UTF-16 never needs more units than UTF-8 bytes
  std::int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  icu.u_strFromUTF8(utf16.data(),
                    static_cast<std::int32_t>(utf16.size()),
                    &length,
                    text.data(),
                    static_cast<std::int32_t>(text.size()),
                    &status);
  if (U_FAILURE(status)) return std::nullopt;
  utf16.resize(static_cast<std::size_t>(length));
  return utf16;
}

std::optional<Text> ToUtf8(const IcuFunctions& icu, const std::vector<UChar>& utf16) {
  Text utf8(utf16.size() * 3, '\0');  // three bytes at most for each unit
  std::int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  icu.u_strToUTF8(utf8.data(),
                  static_cast<std::int32_t>(utf8.size()),
                  &length,
                  utf16.data(),
                  static_cast<std::int32_t>(utf16.size()),
                  &status);
  if (U_FAILURE(status)) return std::nullopt;
  utf8.resize(static_cast<std::size_t>(length));
  return utf8;
}

}  // namespace

std::optional<Text> VisualOrder(std::string_view text, LineDirection direction) {
  const IcuFunctions* icu = Icu();
  if (icu == nullptr || text.size() >= std::numeric_limits<std::int32_t>::max() / 3) {
    return std::nullopt;
  }
  const std::optional<std::vector<UChar>> logical = ToUtf16(*icu, text);
  if (!logical) return std::nullopt;
  const BidiHandle bidi(icu->ubidi_open(), BidiCloser{icu});
  if (!bidi) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  icu->ubidi_setPara(bidi.get(),
                     logical->data(),
                     static_cast<std::int32_t>(logical->size()),
                     static_cast<UBiDiLevel>(
                         direction == LineDirection::LeftToRight ? UBIDI_LTR : UBIDI_DEFAULT_LTR),
                     nullptr,
                     &status);
  if (U_FAILURE(status)) return std::nullopt;
  // Reordering without the controls never lengthens the text.
  std::vector<UChar> visual(logical->size() + 1);
  const std::int32_t length = icu->ubidi_writeReordered(
      bidi.get(),
      visual.data(),
      static_cast<std::int32_t>(visual.size()),
      static_cast<std::uint16_t>(UBIDI_DO_MIRRORING | UBIDI_REMOVE_BIDI_CONTROLS),
      &status);
  if (U_FAILURE(status) || length < 0) return std::nullopt;
  visual.resize(static_cast<std::size_t>(length));
  // ICU's option leaves the Arabic letter mark in, which draws nothing.
  const std::optional<Text> shown = ToUtf8(*icu, visual);
  if (!shown) return std::nullopt;
  return DrawnText(*shown);
}

}  // namespace morvik
