#pragma once
// Whether the tests run under Wine rather than on Windows: some platform
// behaviour the window copes with is Wine's alone.

#include <windows.h>

namespace morvik::testing {

inline bool RunsUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace morvik::testing
