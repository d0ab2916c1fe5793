#pragma once
// A technique a link uses to hide where it really goes, with its evidence:
// what an analyst reads first about a link, beside where the window's and a
// browser's readings differ (the reasons).

#include <string_view>
#include <vector>

#include "support/text.h"

namespace morvik {

struct Disguise {
  std::string_view name;  // one of a fixed set of names, listed in --help
  Text detail;            // the evidence: the decoy text, the real address, ...
};

using Disguises = std::vector<Disguise>;

}  // namespace morvik
