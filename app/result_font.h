#pragma once
// The large bold font of the three address fields.

#include <windows.h>

#include "app/handles.h"

namespace morvik {

// 14 points at the screen's pixel density, as a LOGFONT height (negative: a
// character height). Truncated, not rounded: -18 at 96 dpi, -23 at 120 dpi.
int ResultFontHeight(int pixels_per_inch);

// Bold "Courier New" of ResultFontHeight at the screen's LOGPIXELSY; empty
// when GDI cannot make it (the fields then keep the system font).
Font CreateResultFont();

// Gives `font` to IDC_IPADDRESS, IDC_DECIMAL and IDC_HEX, without redrawing.
// The caller keeps owning it and must keep it alive as long as the fields.
void GiveResultFont(HWND dialog, HFONT font);

}  // namespace morvik
