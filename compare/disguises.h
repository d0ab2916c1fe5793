#pragma once
// The disguises of one link: every technique it uses to hide where it
// really goes, each with its evidence, and where a chain of redirects
// finally leads.

#include <optional>
#include <string_view>

#include "browser/reading.h"
#include "compare/disguise.h"

namespace morvik {

struct LinkDisguises {
  Disguises found;               // in the order of AllDisguises()
  std::optional<Text> leads_to;  // the last host of a redirect, if any
};

// What every detector reads: the URL as given and a browser's reading of it.
struct LinkFacts {
  std::string_view url;
  const BrowserReading& browser;
};

LinkDisguises FindDisguises(const LinkFacts& link);
// The same into `found`, whose room (kept from an earlier link) is used
// again.
void FindDisguises(const LinkFacts& link, LinkDisguises& found);

// Adds a finding in the order of AllDisguises(): detectors may run in any
// order, the output stays the same.
void AddDisguise(Disguises& disguises, std::string_view name, Text detail);

inline constexpr std::size_t kLongestEvidence = 200;

// Evidence as it is written out: a text longer than `longest` bytes is cut
// at a character's end, with "…".
Text Evidence(std::string_view text, std::size_t longest = kLongestEvidence);
// The same appended to `out`: a detail of several parts is made in one
// piece of room, not from a temporary text for each part.
void AppendEvidence(Text& out, std::string_view text, std::size_t longest = kLongestEvidence);
// The most bytes AppendEvidence adds for `text`.
inline std::size_t EvidenceBytes(std::string_view text, std::size_t longest = kLongestEvidence) {
  constexpr std::size_t kEllipsisAndLongestCharacter = 3 + 3;
  return text.size() <= longest ? text.size() : longest + kEllipsisAndLongestCharacter;
}

}  // namespace morvik
