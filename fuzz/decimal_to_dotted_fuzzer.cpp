// DecimalToDotted on any bytes: always canonical dotted text, the address
// being the text's number rounded half to even and wrapped to 32 bits; the
// decimal field is corrected (text, caret, focus) exactly when that number
// lies above 4294967295, and then the address is the largest one.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ipv4/notation.h"
#include "support/number.h"
#include "tests/ipv4/recording_field_correction.h"
#include "tests/properties/address_text.h"

namespace morvik::fuzz {
namespace {

using testing::Address;
using testing::CorrectionCalls;
using testing::FieldCall;
using testing::RecordingFieldCorrection;

constexpr Number kLargestAddress = 4294967295.0L;

// The low 32 bits of the number rounded half to even, by the C library's
// rounding rather than the code's own; 0 below the 64-bit range.
Address WrappedAddress(Number value) {
  const Number rounded = std::nearbyint(value);  // the default mode rounds half to even
  if (!(rounded >= -std::ldexp(Number{1}, 63))) return 0;
  return static_cast<Address>(static_cast<std::uint64_t>(static_cast<std::int64_t>(rounded)));
}

void CheckDecimalToDotted(const Text& text) {
  const Number value = NumericValue(text);
  const bool over_range = value > kLargestAddress;

  const RecordingFieldCorrection window;
  const Text dotted = DecimalToDotted(text);
  const auto address = testing::ReadCanonicalDotted(dotted);
  Require(address.has_value(),
          "the result is four components 0 to 255 joined by \".\"",
          text,
          "result " + Printable(dotted));
  const Address expected = over_range ? 0xFFFFFFFFu : WrappedAddress(value);
  RequireEqual(dotted,
               testing::CanonicalDotted(expected),
               "the address is the number rounded half to even, modulo 2^32",
               text);
  const std::vector<FieldCall> corrections =
      over_range ? CorrectionCalls(AddressField::Decimal, "4294967295", 10)
                 : std::vector<FieldCall>{};
  Require(window.calls() == corrections,
          "the decimal field is corrected exactly when the number is above 4294967295",
          text);
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckDecimalToDotted(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
