#!/bin/sh
# Installs what building and running the program need (scripts/packages/
# build.txt, nothing for the tests), builds the program alone and locks the
# current display with it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh build
cmake -S . -B build
cmake --build build -j "$(nproc)" --target umbrafold
exec build/umbrafold
