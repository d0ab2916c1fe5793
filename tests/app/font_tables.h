#pragma once
// What a font gives the platform's text shaping to work with: the kinds of
// OpenType glyph positioning lookups in its GPOS table.

#include <windows.h>

#include <vector>

namespace morvik::testing {

// The LookupType of every GPOS lookup of the font (an extension lookup
// counted as the type it wraps); empty for a font without a GPOS table, such
// as a bitmap font.
std::vector<int> PositioningLookupTypes(HFONT font);

// The lookup type that positions one mark on another mark.
inline constexpr int kMarkToMarkLookup = 6;

}  // namespace morvik::testing
