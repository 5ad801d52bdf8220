#!/bin/sh
# Installs what building the program and its tests needs, the peer lockers
# and the tools of the benchmark (Debian 12, as root or with sudo; scripts/
# packages/build.txt, test.txt and bench.txt), builds the program and the
# benchmark, and runs it: Umbrafold against the floor (bench/reference/
# floor-locker.c), slock, i3lock and xsecurelock, each in a fresh Xvfb per
# run; then, where ../shared/wayland has a compositor to build, Umbrafold's
# Wayland side against swaylock, each in a fresh headless sway per run.
# Arguments go to both benchmarks (for instance --runs 5).
set -eu
cd "$(dirname "$0")/.."

scripts/install-packages.sh build test bench

# The benchmark is built with the tests, whose X server and XTest client it uses.
cmake -S . -B build -DBUILD_TESTING=ON -DUMBRAFOLD_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)" --target umbrafold umbrafold-bench floor-locker

# Debian's slock carries file capabilities (cap_dac_override and
# cap_sys_resource, to read the shadow file and to shield itself from the
# out-of-memory killer). A sandbox that forbids gaining capabilities refuses
# to exec it at all (status 126); an identical copy without them runs, and
# only loses the out-of-memory shield, which costs no time.
slock=/usr/bin/slock
env -u DISPLAY "$slock" >/dev/null 2>&1 && status=0 || status=$?
if [ "$status" -eq 126 ]; then
    mkdir -p build/bench-peers
    cp /usr/bin/slock build/bench-peers/slock
    slock=build/bench-peers/slock
    echo "bench: /usr/bin/slock cannot start here as packaged; running a copy without its file capabilities" >&2
fi

# i3lock -n stays in the foreground, so the process measured is the locker;
# xsecurelock runs with its packaged defaults (blank saver, X11 prompt).
build/bench/umbrafold-bench "$@" \
    umbrafold=build/umbrafold \
    floor=build/bench/floor-locker \
    slock="$slock" \
    "i3lock=i3lock -n" \
    xsecurelock=xsecurelock

# The Wayland pair, on the compositor the tests build.
if [ ! -x ../shared/wayland/build-sway.sh ]; then
    echo "bench: no ../shared/wayland to build a compositor from; the Wayland pair is left out" >&2
    exit 0
fi
../shared/wayland/build-sway.sh "$PWD/build/sway"
cmake --build build -j "$(nproc)" --target umbrafold-wayland umbrafold-wayland-bench
# swaylock stays in the foreground unless told otherwise, so the process
# measured is the locker.
exec build/bench/umbrafold-wayland-bench "$@" \
    umbrafold=build/umbrafold \
    swaylock=swaylock
