#!/bin/sh
# Sets everything up, then runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j 2 "$@"

# The unit, end-to-end and Wayland tests again, programs and tests built
# with AddressSanitizer and UndefinedBehaviorSanitizer; the compositor is
# the one the first build made.
targets="umbrafold umbrafold_unit_tests umbrafold_e2e_tests"
labels='^(unit|e2e)$'
if [ -x ../shared/wayland/build-sway.sh ]; then
    targets="$targets umbrafold-wayland umbrafold_wayland_tests"
    labels='^(unit|e2e|wayland)$'
fi
cmake -S . -B build-asan -DUMBRAFOLD_SANITIZE=ON -DUMBRAFOLD_SWAY_PREFIX="$PWD/build/sway"
# shellcheck disable=SC2086
cmake --build build-asan -j "$(nproc)" --target $targets
ctest --test-dir build-asan --output-on-failure -j 2 -L "$labels" "$@"
