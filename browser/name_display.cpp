// The display policy, label by label as browsers apply theirs: a label that
// is plain ASCII is always shown; any other label must pass the label
// policy, or it is shown in its ASCII form while the others stay in Unicode.

#include "browser/name_display.h"

#include <algorithm>
#include <vector>

#include "browser/icu_functions.h"
#include "browser/idna.h"
#include "browser/label_policy.h"
#include "browser/site_lookalike.h"
#include "browser/skeleton.h"
#include "browser/spoof_checker.h"
#include "support/text.h"

namespace morvik {
namespace {

constexpr std::size_t kLongestDnsName = 253;

std::vector<std::string_view> AsciiLabels(std::string_view name) {
  std::vector<std::string_view> labels;
  for (std::size_t start = 0;;) {
    const std::size_t dot = name.find('.', start);
    labels.push_back(name.substr(start, dot - start));
    if (dot == std::string_view::npos) return labels;
    start = dot + 1;
  }
}

// Letters, digits, "-" and dots: a name, not "ab/c.com".
bool IsHostName(std::string_view text) {
  for (const char c : text) {
    if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  }
  return true;
}

// The plain ASCII name that looks like `unicode` (whose skeleton is
// `skeleton`): each run of other characters replaced by its own skeleton
// when that is ASCII, and kept only when the whole name's skeleton then
// matches. Empty when there is none.
Text AsciiLookAlike(const IcuFunctions& icu, std::string_view unicode, const Text& skeleton) {
  Text candidate;
  for (std::size_t at = 0; at < unicode.size();) {
    if (static_cast<unsigned char>(unicode[at]) < 0x80) {
      candidate += unicode[at++];
      continue;
    }
    std::size_t end = at;
    while (end < unicode.size() && static_cast<unsigned char>(unicode[end]) >= 0x80) ++end;
    const Text own = LookAlikeSkeleton(icu, unicode.substr(at, end - at));
    if (own.empty() || !IsAscii(own)) return {};
    candidate += own;
    at = end;
  }
  if (!IsHostName(candidate)) return {};
  return AsciiLookAlikeSkeleton(candidate) == skeleton ? candidate : Text();
}

}  // namespace

NameDisplay DisplayName(std::string_view ascii, std::string_view unicode,
                        const ProtectedSites& sites) {
  NameDisplay result;
  if (IsAscii(unicode)) {
    result.display = Text(unicode);
    return result;
  }
  const IcuFunctions* icu = Icu();
  const USpoofChecker* checker = icu == nullptr ? nullptr : DisplayChecker(*icu);
  const std::vector<std::string_view> ascii_labels = AsciiLabels(ascii);
  const std::vector<std::string_view> labels = SplitLabels(unicode);
  // A name longer than DNS allows reaches no server; it is not judged.
  if (checker == nullptr || ascii.size() > kLongestDnsName ||
      labels.size() != ascii_labels.size()) {
    result.display = Text(ascii);
    result.rule = LookAlike::NotChecked;
    return result;
  }
  const TopLevelDomain tld{.ascii = ascii_labels.back(), .unicode = labels.back()};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    LookAlike rule = LookAlike::None;
    if (!IsAscii(labels[i])) rule = JudgeLabel(*icu, *checker, labels[i], tld);
    if (result.rule == LookAlike::None) result.rule = rule;
    if (i > 0) result.display += '.';
    result.display += rule == LookAlike::None ? labels[i] : ascii_labels[i];
  }
  const Text skeleton = LookAlikeSkeleton(*icu, unicode);
  const SiteLookAlike site = IdnSiteLookAlike(ascii, unicode, skeleton, sites);
  if (site.site != nullptr) {
    if (result.rule == LookAlike::None) result.rule = site.rule;
    result.display = Text(ascii);
    result.looks_like = site.site->domain;
  } else if (result.rule != LookAlike::None) {
    result.looks_like = AsciiLookAlike(*icu, unicode, skeleton);
  }
  return result;
}

}  // namespace morvik
