#include "browser/icu_functions.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace morvik {
namespace {

#if defined(_WIN32)
// Every function or none: a partial icu.dll is treated as no icu.dll.
bool Load(IcuFunctions& functions) {
  HMODULE module = LoadLibraryExA("icu.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return false;
  bool complete = true;
#define MORVIK_ICU_LOOK_UP(name)                                                                   \
  functions.name =                                                                                 \
      reinterpret_cast<decltype(&::name)>(reinterpret_cast<void*>(GetProcAddress(module, #name))); \
  complete = complete && functions.name != nullptr;
  MORVIK_ICU_FUNCTIONS(MORVIK_ICU_LOOK_UP)
#undef MORVIK_ICU_LOOK_UP
  if (!complete) FreeLibrary(module);
  return complete;
}
#else
bool Load(IcuFunctions& functions) {
#define MORVIK_ICU_LINK(name) functions.name = &::name;
  MORVIK_ICU_FUNCTIONS(MORVIK_ICU_LINK)
#undef MORVIK_ICU_LINK
  return true;
}
#endif

}  // namespace

const IcuFunctions* Icu() {
  static const IcuFunctions* const loaded = [] {
    static IcuFunctions functions;
    return Load(functions) ? &functions : nullptr;
  }();
  return loaded;
}

}  // namespace morvik
