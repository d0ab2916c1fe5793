#include "tests/url/reference_escape_decoder.h"

#include "url/escape_steps.h"

namespace morvik::testing {

Text ReferenceDecodePercentEscapes(const Text& text) {
  Text decoded = text;
  while (DecodeFirstEscape(decoded)) {
  }
  return decoded;
}

}  // namespace morvik::testing
