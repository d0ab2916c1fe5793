// HexToDotted on any bytes: always canonical dotted text made from the first
// eight characters, right-aligned, as four pairs of which each reads the hex
// digits it starts with; the hex field is cut to those eight characters
// (text, caret, focus) exactly when the text is longer.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ipv4/notation.h"
#include "tests/ipv4/recording_field_correction.h"
#include "tests/properties/address_text.h"

namespace morvik::fuzz {
namespace {

using testing::Address;
using testing::CorrectionCalls;
using testing::FieldCall;
using testing::RecordingFieldCorrection;

constexpr std::size_t kFieldLimit = 8;

int HexDigitValue(char c) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  const char upper = c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
  const std::size_t at = kDigits.find(upper);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// A pair reads as its leading hexadecimal digits: "1Z" is 1, "Z1" is 0.
Address PairValue(char first, char second) {
  const int high = HexDigitValue(first);
  if (high < 0) return 0;
  const int low = HexDigitValue(second);
  return static_cast<Address>(low < 0 ? high : high * 16 + low);
}

Address ExpectedAddress(const Text& kept) {
  const Text digits = Text(kFieldLimit - kept.size(), '0') + kept;
  Address address = 0;
  for (std::size_t at = 0; at < kFieldLimit; at += 2) {
    address = (address << 8) | PairValue(digits[at], digits[at + 1]);
  }
  return address;
}

bool IsEightHexDigits(const Text& text) {
  if (text.size() != kFieldLimit) return false;
  for (const char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

void CheckHexToDotted(const Text& text) {
  const Text kept = text.substr(0, kFieldLimit);
  const RecordingFieldCorrection window;
  const Text dotted = HexToDotted(text);
  RequireEqual(dotted,
               testing::CanonicalDotted(ExpectedAddress(kept)),
               "the result is canonical dotted text of the four pairs",
               text);
  const std::vector<FieldCall> corrections = text.size() > kFieldLimit
                                                 ? CorrectionCalls(AddressField::Hex, kept, 8)
                                                 : std::vector<FieldCall>{};
  Require(window.calls() == corrections,
          "the hex field is cut to eight characters exactly when it holds more",
          text);
  if (IsEightHexDigits(kept)) {
    Text upper = kept;
    for (char& c : upper) c = "0123456789ABCDEF"[HexDigitValue(c)];
    RequireEqual(DottedToHex(dotted), upper, "eight hex digits convert back", text);
  }
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckHexToDotted(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
