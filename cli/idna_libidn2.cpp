// IDNA through libidn2 with the UTS 46 non-transitional mapping that browsers
// use (so "ß" stays "ß" and is encoded, rather than becoming "ss").

#include <idn2.h>

#include "cli/idna.h"

namespace morvik {
namespace {

IdnaResult FromLibrary(int status, char* output) {
  IdnaResult result;
  if (status == IDN2_OK) {
    result.ok = true;
    result.text = output;
  } else {
    result.error = idn2_strerror(status);
  }
  idn2_free(output);
  return result;
}

}  // namespace

IdnaResult DomainToAscii(const Text& utf8_domain) {
  if (utf8_domain.find('\0') != Text::npos) return {false, {}, "NUL character"};
  char* output = nullptr;
  const int status =
      idn2_to_ascii_8z(utf8_domain.c_str(), &output, IDN2_NONTRANSITIONAL | IDN2_NFC_INPUT);
  return FromLibrary(status, output);
}

IdnaResult DomainToUnicode(const Text& ascii_domain) {
  if (ascii_domain.find('\0') != Text::npos) return {false, {}, "NUL character"};
  char* output = nullptr;
  const int status = idn2_to_unicode_8z8z(ascii_domain.c_str(), &output, 0);
  return FromLibrary(status, output);
}

}  // namespace morvik
