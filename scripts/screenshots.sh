#!/bin/sh
# Makes the screenshots in docs/shots/ from the real program, run in a
# private Xvfb: the open dialog, locked, access granted, About expanded, and
# the whole screen while locked; then the same in a private headless sway
# (wayland-*), and the open dialog on an output of scale 2, where
# ../shared/wayland has a compositor to build. BUILD_DIR picks the build
# (default build).
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target umbrafold_shots -j "$(nproc)"

raw=$(mktemp -d)
trap 'rm -rf "$raw"' EXIT
mkdir -p docs/shots
"$build/tests/e2e/umbrafold_shots" "$raw"
if [ -x ../shared/wayland/build-sway.sh ]; then
    ../shared/wayland/build-sway.sh "$(cd "$build" && pwd)/sway"
    cmake --build "$build" --target umbrafold_wayland_shots -j "$(nproc)"
    "$build/tests/wayland/umbrafold_wayland_shots" "$raw"
fi
for ppm in "$raw"/*.ppm; do
    # No time stamps, so unchanged pictures give unchanged files.
    convert "$ppm" -strip -define png:exclude-chunks=date,time "docs/shots/$(basename "$ppm" .ppm).png"
done
ls docs/shots
