#include "compare/disguises.h"

#include <algorithm>

#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"
#include "support/utf8.h"

namespace morvik {
namespace {

using Detector = void (*)(const LinkFacts&, LinkDisguises&);

// Every disguise a URL alone can show; a new detector is one more line.
constexpr Detector kDetectors[] = {
    FindUserPart,
    FindNumericOrAddressHost,
    FindEscapedHost,
    FindLookAlike,
    FindHiddenCharacters,
    FindSubdomainSpellingASite,
    FindRedirect,
    FindScriptLink,
};

// Names are the table's own constants: the same one is found by its
// address before its bytes are compared.
std::size_t Rank(std::string_view name) {
  const auto all = AllDisguises();
  const auto entry = std::find_if(all.begin(), all.end(), [&](const DisguiseEntry& known) {
    return known.name.data() == name.data() || known.name == name;
  });
  return static_cast<std::size_t>(entry - all.begin());
}

}  // namespace

LinkDisguises FindDisguises(const LinkFacts& link) {
  LinkDisguises found;
  FindDisguises(link, found);
  return found;
}

void FindDisguises(const LinkFacts& link, LinkDisguises& found) {
  found.found.clear();
  found.leads_to.reset();
  for (const Detector detector : kDetectors) detector(link, found);
}

void AddDisguise(Disguises& disguises, std::string_view name, Text detail) {
  if (disguises.empty()) {
    // Room for as many as a link usually has, made once: not grown from one
    // to two to four. Measured worth: 1 % of the whole program's
    // instructions (callgrind, 20,000 URLs).
    disguises.reserve(4);
    disguises.push_back(Disguise{name, std::move(detail)});
    return;
  }
  const std::size_t rank = Rank(name);
  const auto after = std::find_if(disguises.begin(), disguises.end(), [&](const Disguise& known) {
    return Rank(known.name) > rank;
  });
  disguises.insert(after, Disguise{name, std::move(detail)});
}

Text Evidence(std::string_view text, std::size_t longest) {
  Text evidence;
  AppendEvidence(evidence, text, longest);
  return evidence;
}

void AppendEvidence(Text& out, std::string_view text, std::size_t longest) {
  if (text.size() <= longest) {
    out += text;
    return;
  }
  std::size_t end = 0;
  while (end < longest) end += std::max<std::size_t>(1, Utf8SequenceLength(text, end));
  out += text.substr(0, end);
  out += "\xE2\x80\xA6";  // …
}

}  // namespace morvik
