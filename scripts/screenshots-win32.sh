#!/bin/sh
# Makes the pictures of the Win32 program in docs/shots/win32-*.png: the
# real Umbrafold.exe run under Wine in a private Xvfb, caught with
# ImageMagick's import. BUILD_DIR picks the host build (default build).
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >/dev/null
cmake --build build-win32 -j "$(nproc)"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target umbrafold_wine_shots -j "$(nproc)"

tests/win32/prepare-wine-prefix.sh "$(cd "$build" && pwd)/tests/win32/wineprefix"
mkdir -p docs/shots
"$build/tests/win32/umbrafold_wine_shots" docs/shots
