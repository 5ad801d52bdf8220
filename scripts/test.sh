#!/bin/sh
# Sets everything up, then runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j 2 "$@"

# The unit and end-to-end tests again, program and tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -DUMBRAFOLD_SANITIZE=ON
cmake --build build-asan -j "$(nproc)" --target umbrafold umbrafold_unit_tests umbrafold_e2e_tests
ctest --test-dir build-asan --output-on-failure -j 2 -L '^(unit|e2e)$' "$@"
