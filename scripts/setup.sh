#!/bin/sh
# Installs what the build, the tests and the Win32 program need on Debian 12,
# then configures and builds everything: the program, its tests and the
# benchmark, and the Win32 program. Run as root or with sudo available.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh build test win32

# Asked for by name, so a missing package stops the build rather than
# leaving the tests or the benchmark out.
cmake -S . -B build -DBUILD_TESTING=ON -DUMBRAFOLD_BUILD_BENCH=ON
cmake --build build -j "$(nproc)"

# The Win32 program, cross-built with MinGW; the tests run it under Wine.
cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
cmake --build build-win32 -j "$(nproc)"
