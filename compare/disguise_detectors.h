#pragma once
// The detectors FindDisguises runs, one function each; each appends what it
// finds (see compare/disguises.cpp for the list).

#include "compare/disguises.h"

namespace morvik {

void FindUserPart(const LinkFacts& link, LinkDisguises& found);
void FindNumericOrAddressHost(const LinkFacts& link, LinkDisguises& found);
void FindEscapedHost(const LinkFacts& link, LinkDisguises& found);
void FindLookAlike(const LinkFacts& link, LinkDisguises& found);
void FindHiddenCharacters(const LinkFacts& link, LinkDisguises& found);
void FindSubdomainSpellingASite(const LinkFacts& link, LinkDisguises& found);
void FindRedirect(const LinkFacts& link, LinkDisguises& found);
void FindScriptLink(const LinkFacts& link, LinkDisguises& found);

}  // namespace morvik
