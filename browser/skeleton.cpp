#include "browser/skeleton.h"

#include <algorithm>
#include <array>

#include "browser/spoof_checker.h"
#include "support/utf8.h"

namespace morvik {
namespace {

// Look-alikes that ICU's confusable data (as of ICU 72) does not make: the
// small palochka "ӏ" has no dot and is drawn as "l", but its skeleton is
// "i". Applied before the skeleton is taken.
constexpr struct {
  const char* from;
  const char* to;
} kExtraLookAlikes[] = {{"\xD3\x8F", "l"}};

Text WithExtraLookAlikes(std::string_view text) {
  Text mapped(text);
  for (const auto& extra : kExtraLookAlikes) mapped = ReplaceText(mapped, extra.from, extra.to);
  return mapped;
}

Text WithoutMarks(const IcuFunctions& icu, std::string_view text) {
  Text kept;
  kept.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, at));
    const std::string_view character = text.substr(at, length);
    at += length;
    if (length > 1 &&
        icu.u_charType(static_cast<UChar32>(Utf8CodePoint(character))) == U_NON_SPACING_MARK) {
      continue;
    }
    kept += character;
  }
  return kept;
}

AsciiSkeletons MakeAsciiSkeletons() {
  AsciiSkeletons skeletons;
  const IcuFunctions* icu = Icu();
  for (std::size_t c = 0; c < skeletons.size(); ++c) {
    const Text character(1, static_cast<char>(c));
    Text skeleton = icu == nullptr ? Text() : LookAlikeSkeleton(*icu, character);
    skeletons[c] = skeleton.empty() || !IsAscii(skeleton) ? AsciiLowerCase(character) : skeleton;
  }
  return skeletons;
}

}  // namespace

const AsciiSkeletons& AsciiSkeletonTable() {
  static const AsciiSkeletons skeletons = MakeAsciiSkeletons();
  return skeletons;
}

Text AsciiLookAlikeSkeleton(std::string_view ascii) {
  const AsciiSkeletons& table = AsciiSkeletonTable();
  Text skeleton;
  skeleton.reserve(ascii.size() + 4);
  for (const char c : ascii) skeleton += table[static_cast<unsigned char>(c) & 0x7F];
  return skeleton;
}

Text LookAlikeSkeleton(const IcuFunctions& icu, std::string_view text) {
  const USpoofChecker* checker = DisplayChecker(icu);
  if (checker == nullptr) return {};
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
  const std::optional<Text> skeleton_text = FillIcuBuffer(mapped.size() + 16, skeleton);
  if (!skeleton_text) return {};
  return AsciiLowerCase(IsAscii(*skeleton_text) ? *skeleton_text
                                                : WithoutMarks(icu, *skeleton_text));
}

}  // namespace morvik
