// DecodeUrl and its one-pass escape decoder against the rules followed
// literally: the escape loop that searches the whole text again after every
// decode, and the other steps written with the text operations they name.
// Both must agree byte for byte, and the decimal field is corrected exactly
// when the numeric host lies above the largest address.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ipv4/notation.h"
#include "support/number.h"
#include "tests/ipv4/recording_field_correction.h"
#include "tests/url/reference_escape_decoder.h"
#include "url/decode_url.h"

namespace morvik::fuzz {
namespace {

using testing::CorrectionCalls;
using testing::FieldCall;
using testing::RecordingFieldCorrection;
using testing::ReferenceDecodePercentEscapes;

// Drops the first occurrence of `marker` and everything before it.
Text AfterFirst(const Text& text, const Text& marker) {
  const Position found = FindText(1, text, marker);
  return found == 0 ? text : TextSlice(text, found + TextLength(marker), -1);
}

struct Expected {
  Text host_text;
  bool corrected = false;  // the decimal field is set to the largest address
};

Expected ReferenceDecodeUrl(const Text& url) {
  Text s = AfterFirst(AfterFirst(AfterFirst(url, "://"), ":\\\\"), "@");
  s = ReferenceDecodePercentEscapes(s);
  const Position end = FindAnyOf(1, s, "/\\");
  if (end == 0) return {s};
  const Text host = TextSlice(s, 1, end - 1);
  for (Position at = 1; at <= TextLength(host); ++at) {
    if (FindAnyOf(1, TextSlice(host, at, 1), "0123456789") != 1) return {s};
  }
  // No window seam is installed yet: this correction is expected, not recorded.
  return {DecimalToDotted(host) + TextSlice(s, end, -1), NumericValue(host) > 4294967295.0L};
}

void CheckDecodeUrl(const Text& url) {
  const Text decoded = DecodePercentEscapes(url);
  RequireEqual(decoded,
               ReferenceDecodePercentEscapes(url),
               "the one-pass decoder agrees with the rescanning loop",
               url);
  Require(decoded.size() <= url.size(), "decoding escapes never lengthens a text", url);

  const Expected expected = ReferenceDecodeUrl(url);
  const RecordingFieldCorrection window;
  RequireEqual(DecodeUrl(url), expected.host_text, "DecodeUrl follows its steps", url);
  const std::vector<FieldCall> corrections =
      expected.corrected ? CorrectionCalls(AddressField::Decimal, "4294967295", 10)
                         : std::vector<FieldCall>{};
  Require(window.calls() == corrections,
          "the decimal field is corrected only for a numeric host above the largest address",
          url);
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckDecodeUrl(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
