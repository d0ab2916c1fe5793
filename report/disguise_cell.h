#pragma once
// A link's disguises as one cell of TSV or of the table:
// "user part (paypal.com); numeric host (178.162.245.55)".

#include <cstddef>

#include "compare/disguise.h"
#include "report/text_escape.h"

namespace morvik {

void AppendDisguises(Text& out, const Disguises& disguises, EscapeFor target);

// The same written from `to` on, which needs room for
// MostDisguisesBytes(disguises, target) bytes; returns where it stopped.
char* WriteDisguises(char* to, const Disguises& disguises, EscapeFor target);
std::size_t MostDisguisesBytes(const Disguises& disguises, EscapeFor target);

// What a disguise is written with besides its name and detail: "; ", " ("
// and ")".
inline constexpr std::size_t kDisguisePunctuation = 5;

}  // namespace morvik
