#pragma once
// The About box: a plain system-modal message box without an owner, so the
// main window stays usable while it is open.

namespace morvik {

constexpr char kAboutCaption[] = "About Morvik";

extern const char kAboutText[];

void ShowAboutBox();

}  // namespace morvik
