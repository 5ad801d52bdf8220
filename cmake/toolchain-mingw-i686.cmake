# Cross-compiles the Win32 program with Debian's i686 MinGW-w64:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(UMBRAFOLD_MINGW_PREFIX i686-w64-mingw32)
# The win32 thread model by name: Debian's posix variant, which the plain
# names may point to, builds on winpthreads, which imports functions that
# Windows 95, 98, Me and NT 4 do not have.
set(CMAKE_C_COMPILER ${UMBRAFOLD_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${UMBRAFOLD_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${UMBRAFOLD_MINGW_PREFIX}-windres)

# Look for libraries and headers in the cross environment only, for
# programs on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${UMBRAFOLD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One file that runs without any MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
