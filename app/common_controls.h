#pragma once
// Registers the common-control window classes the main window uses (the IP
// address control among them) before any window exists.

namespace morvik {

// Never fails visibly: without COMCTL32.DLL nothing is registered, and a
// library too old for InitCommonControlsEx gets InitCommonControls.
void InitializeCommonControls();

}  // namespace morvik
