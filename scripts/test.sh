#!/bin/sh
# Sets everything up, then runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j 2 "$@"
