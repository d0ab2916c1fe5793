#pragma once
// Internationalised domain names (UTS 46, non-transitional): the platform's
// implementation, libidn2 on Linux and IdnToAscii/IdnToUnicode on Windows.
// Only names that hold non-ASCII characters or "xn--" labels come here; an
// ASCII name is simply lower-cased by the caller.

#include "support/text.h"

namespace morvik {

struct IdnaResult {
  bool ok = false;
  Text text;   // the converted name when ok
  Text error;  // the library's reason otherwise
};

// UTF-8 name to its ASCII ("xn--") form; mapping folds case and width, so
// fullwidth digits become ASCII digits.
IdnaResult DomainToAscii(const Text& utf8_domain);

// ASCII name back to UTF-8 for display; fails on broken "xn--" labels.
IdnaResult DomainToUnicode(const Text& ascii_domain);

}  // namespace morvik
