#include "report/disguise_cell.h"

#include <algorithm>

#include "report/line_writer.h"

namespace morvik {
namespace {

constexpr std::string_view kSeparator = "; ";
constexpr std::string_view kDetailOpens = " (";
static_assert(kSeparator.size() + kDetailOpens.size() + 1 == kDisguisePunctuation);

}  // namespace

void AppendDisguises(Text& out, const Disguises& disguises, EscapeFor target) {
  AppendWritten(out, MostDisguisesBytes(disguises, target), [&](char* to) {
    return WriteDisguises(to, disguises, target);
  });
}

char* WriteDisguises(char* to, const Disguises& disguises, EscapeFor target) {
  std::string_view separator;
  for (const Disguise& disguise : disguises) {
    to = std::copy(separator.begin(), separator.end(), to);
    to = std::copy(disguise.name.begin(), disguise.name.end(), to);
    if (!disguise.detail.empty()) {
      to = std::copy(kDetailOpens.begin(), kDetailOpens.end(), to);
      to = WriteEscaped(to, disguise.detail, target);
      *to++ = ')';
    }
    separator = kSeparator;
  }
  return to;
}

std::size_t MostDisguisesBytes(const Disguises& disguises, EscapeFor target) {
  std::size_t most = 0;
  for (const Disguise& disguise : disguises) {
    most += kDisguisePunctuation + disguise.name.size() +
            MostEscapedBytes(target) * disguise.detail.size();
  }
  return most;
}

}  // namespace morvik
