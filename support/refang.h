#pragma once
// Defanging: the ways analysts write hostile URLs so that nothing turns them
// into live links (hxxp://evil[.]example), and back.

#include <string_view>

#include "support/text.h"

namespace morvik {

// Undoes hxxp/hXXp (and hxxps), [.], (.), [dot], [:] and [://], in any
// letter case.
Text Refang(std::string_view text);

// Whether the text holds one of the markers Refang undoes, in any case.
bool HasDefangMarker(std::string_view text);

// A URL made harmless: hxxp(s) for http(s), [://] and [.] for every dot.
Text DefangUrl(std::string_view url);

// A host or address made harmless: [.] for every dot.
Text DefangHost(std::string_view host);

}  // namespace morvik
