# 64-bit Windows: the same program for x86_64. It runs under 64-bit Wine
# without emulation where the kernel cannot run 32-bit code, which makes it the
# fast Windows suite.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MORVIK_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
