#include "app/about_box.h"

#include <windows.h>

namespace morvik {

// Lines joined by CR LF, with no line break after the last.
const char kAboutText[] =
    "Quelt Morvik\r\n"
    "\r\n"
    "A tool to help decode those cryptic URL\r\n"
    "addresses used to hide the real location\r\n"
    "of Internet servers.\r\n"
    "\r\n"
    "Updates available at http://www.morvik.example/\r\n"
    "Copyright (C) 2026 The Morvik developers";

void ShowAboutBox() {
  // One OK button and no icon; the answer is always OK and is not needed.
  MessageBoxA(nullptr, kAboutText, kAboutCaption, MB_OK | MB_SYSTEMMODAL);
}

}  // namespace morvik
