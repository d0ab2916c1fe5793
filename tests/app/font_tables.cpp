#include "tests/app/font_tables.h"

#include <cstdint>

#include "app/handles.h"

namespace morvik::testing {
namespace {

constexpr DWORD kGposTag = 'G' | 'P' << 8 | 'O' << 16 | 'S' << 24;  // as GetFontData wants it
constexpr int kExtensionLookup = 9;

// OpenType tables are big-endian; an offset past the end reads as 0.
struct BigEndianTable {
  std::vector<unsigned char> bytes;

  unsigned Word(std::size_t at) const {
    return at + 1 < bytes.size() ? unsigned{bytes[at]} << 8 | bytes[at + 1] : 0;
  }
  std::uint32_t Long(std::size_t at) const { return std::uint32_t{Word(at)} << 16 | Word(at + 2); }
};

BigEndianTable ReadGpos(HFONT font) {
  const WindowDc screen(nullptr);
  const HGDIOBJ previous = SelectObject(screen.get(), font);
  BigEndianTable table;
  const DWORD size = GetFontData(screen.get(), kGposTag, 0, nullptr, 0);
  if (size != GDI_ERROR && size > 0) {
    table.bytes.resize(size);
    if (GetFontData(screen.get(), kGposTag, 0, table.bytes.data(), size) != size)
      table.bytes.clear();
  }
  SelectObject(screen.get(), previous);
  return table;
}

}  // namespace

std::vector<int> PositioningLookupTypes(HFONT font) {
  const BigEndianTable gpos = ReadGpos(font);
  std::vector<int> types;
  if (gpos.bytes.empty()) return types;
  const std::size_t lookup_list = gpos.Word(8);  // after the version and two other offsets
  const unsigned lookup_count = gpos.Word(lookup_list);
  for (unsigned i = 0; i < lookup_count; ++i) {
    const std::size_t lookup = lookup_list + gpos.Word(lookup_list + 2 + 2 * i);
    int type = static_cast<int>(gpos.Word(lookup));
    if (type == kExtensionLookup && gpos.Word(lookup + 4) > 0) {
      // Its first subtable: format, wrapped lookup type, 32-bit offset.
      type = static_cast<int>(gpos.Word(lookup + gpos.Word(lookup + 6) + 2));
    }
    types.push_back(type);
  }
  return types;
}

}  // namespace morvik::testing
