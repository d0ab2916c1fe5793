# 32-bit Windows, the product: MinGW-w64 for i686.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MORVIK_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
