#include "tests/app/gdi_object_count.h"

#include <windows.h>

#include <functional>

namespace morvik::testing {
namespace {

long CountFromSystem() {
  return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

// Wine answers GetGuiResources with 0. Its GDI handles are table indexes in
// the low word, and a handle whose high word is 0 names whatever object lives
// at that index, so the live objects can be counted by asking each index.
long CountFromHandleTable() {
  constexpr UINT_PTR kTableSize = 0x10000;
  long objects = 0;
  for (UINT_PTR index = 1; index < kTableSize; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++objects;
  }
  return objects;
}

// A counter is trusted only if it sees one brush come and go.
bool SeesOneBrush(const std::function<long()>& count) {
  const long before = count();
  const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const long with_brush = count();
  DeleteObject(brush);
  return before > 0 && with_brush == before + 1 && count() == before;
}

}  // namespace

GdiObjectCount CountGdiObjects() {
  if (SeesOneBrush(CountFromSystem)) return {CountFromSystem(), true, "GetGuiResources"};
  if (SeesOneBrush(CountFromHandleTable)) {
    return {CountFromHandleTable(), true, "GDI handle table"};
  }
  return {0, false, "no way to count GDI objects here"};
}

}  // namespace morvik::testing
