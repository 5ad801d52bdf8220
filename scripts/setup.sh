#!/bin/sh
# Installs what the build and the tests need on Debian 12, then configures
# and builds the program. Run as root or with sudo available.
set -eu
cd "$(dirname "$0")/.."

# shellcheck disable=SC2046
scripts/install-packages.sh $(grep -v -e '^#' -e '^$' scripts/debian-packages.txt)

cmake -S . -B build
cmake --build build -j "$(nproc)"

# The Win32 program, cross-built with MinGW; the tests run it under Wine.
cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
cmake --build build-win32 -j "$(nproc)"
