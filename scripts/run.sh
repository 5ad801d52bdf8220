#!/bin/sh
# Installs what building and running the program need (scripts/packages/
# build.txt, nothing for the tests), builds the program alone (with its
# Wayland side, which it hands over to in a Wayland session) and locks the
# current display or session with it.
set -eu
cd "$(dirname "$0")/.."
# What the listed packages merely recommend (manual pages, libc's developer
# tools and their image libraries, certificates) is not needed to build.
scripts/install-packages.sh --no-install-recommends build
cmake -S . -B build
cmake --build build -j "$(nproc)" --target umbrafold umbrafold-wayland
exec build/umbrafold
