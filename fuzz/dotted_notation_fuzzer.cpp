// DottedToDecimal and DottedToHex on any bytes: the decimal text is plain
// digits (no sign, no exponent, at most 10), the hexadecimal text exactly 8
// upper-case digits, both name the same address, and the canonical dotted
// text that HexToDotted and DecimalToDotted make of them converts back to
// the very same two texts, without touching either field.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "ipv4/notation.h"
#include "tests/ipv4/recording_field_correction.h"
#include "tests/properties/address_text.h"

namespace morvik::fuzz {
namespace {

using testing::RecordingFieldCorrection;

void CheckDottedNotation(const Text& text) {
  const Text decimal = DottedToDecimal(text);
  const Text hex = DottedToHex(text);
  const auto from_decimal = testing::ReadCanonicalDecimal(decimal);
  const auto from_hex = testing::ReadCanonicalHex(hex);
  Require(from_decimal.has_value(),
          "the decimal text is 1 to 10 plain digits without a leading zero",
          text,
          "decimal " + Printable(decimal));
  Require(from_hex.has_value(),
          "the hexadecimal text is exactly 8 upper-case hex digits",
          text,
          "hex " + Printable(hex));
  Require(*from_decimal == *from_hex,
          "both notations name the same address",
          text,
          "decimal " + decimal + ", hex " + hex);

  const RecordingFieldCorrection window;
  const Text dotted = testing::CanonicalDotted(*from_hex);
  RequireEqual(HexToDotted(hex), dotted, "HexToDotted gives the canonical dotted text", text);
  RequireEqual(
      DecimalToDotted(decimal), dotted, "DecimalToDotted gives the canonical dotted text", text);
  RequireEqual(DottedToHex(dotted), hex, "the canonical dotted text converts back to hex", text);
  RequireEqual(
      DottedToDecimal(dotted), decimal, "the canonical dotted text converts back to decimal", text);
  Require(window.calls().empty(), "notations the code made itself are never corrected", text);
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckDottedNotation(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
