# Cross build for Windows with MinGW-w64, shared by the i686 and x86_64
# toolchain files, which set MORVIK_MINGW_TRIPLET and include this one. The
# posix-thread variant of the compiler is the one that can build GoogleTest
# (it needs std::thread and mutex).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MORVIK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVIK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVIK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVIK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything statically linked: a single .exe with nothing to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the cross-built test binaries through Wine (see wine-run for why
# through a wrapper).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
