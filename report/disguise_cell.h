#pragma once
// A link's disguises as one cell of TSV or of the table:
// "user part (paypal.com); numeric host (178.162.245.55)".

#include "compare/disguise.h"
#include "report/text_escape.h"

namespace morvik {

void AppendDisguises(Text& out, const Disguises& disguises, EscapeFor target);

}  // namespace morvik
