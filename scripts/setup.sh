#!/bin/sh
# Installs what the build and the tests need on Debian 12, then configures
# and builds the program. Run as root or with sudo available.
set -eu
cd "$(dirname "$0")/.."

packages=$(grep -v -e '^#' -e '^$' scripts/debian-packages.txt | tr '\n' ' ')
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    as_root=""
    [ "$(id -u)" -eq 0 ] || as_root="sudo"
    if grep -q -e '-i386' -e 'wine32' scripts/debian-packages.txt && ! dpkg --print-foreign-architectures | grep -q i386; then
        $as_root dpkg --add-architecture i386
    fi
    $as_root apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq $missing
fi

cmake -S . -B build
cmake --build build -j "$(nproc)"

# The Win32 program, cross-built with MinGW; the tests run it under Wine.
cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
cmake --build build-win32 -j "$(nproc)"
