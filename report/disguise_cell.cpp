#include "report/disguise_cell.h"

namespace morvik {

void AppendDisguises(Text& out, const Disguises& disguises, EscapeFor target) {
  const char* separator = "";
  for (const Disguise& disguise : disguises) {
    out += separator;
    out += disguise.name;
    if (!disguise.detail.empty()) {
      out += " (";
      AppendEscaped(out, disguise.detail, target);
      out += ')';
    }
    separator = "; ";
  }
}

}  // namespace morvik
