#!/bin/sh
# Measures what scripts/run.sh costs a new user: makes a minimal Debian 12
# root with debootstrap, copies a revision of the project into it, runs
# scripts/run.sh there under chroot and reports the packages it installed,
# the disk it took and the time until the locker started. Run by hand, as
# root; CI never runs it. The root is removed afterwards.
#
# Usage: scripts/measure-fresh-install.sh [REVISION]
#   REVISION  the git revision to copy in (default HEAD); give the one before
#             a change to get the figures to compare with.
# MIRROR overrides the Debian mirror (default: the one apt uses here).
#
# There is no display in the chroot, so the program's start is the moment
# build/umbrafold, exec'd by scripts/run.sh, prints "cannot open display".
set -eu
cd "$(dirname "$0")/.."
revision=${1:-HEAD}

fail() {
    echo "measure-fresh-install: $*" >&2
    exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root, for debootstrap, mount and chroot"
commit=$(git rev-parse --short "$revision^{commit}") || fail "no revision '$revision'"
scripts/install-packages.sh measure

# The first Debian archive among apt's sources, one-line or deb822 style.
default_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -v '^ *#' | grep -o 'https\?://[^ ]*/debian/\?\( \|$\)' | head -n 1 | tr -d ' '
}
mirror=${MIRROR:-$(default_mirror)}
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

root=$(mktemp -d "${TMPDIR:-/var/tmp}/umbrafold-fresh.XXXXXX")
# The root's "/": apt's unprivileged downloader must get through it.
chmod 755 "$root"
log=$root.log
cleanup() {
    # Anything the packages' scripts left running in the root holds it busy.
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill "${proc#/proc/}" 2>/dev/null
    done
    for mount in dev proc; do
        ! mountpoint -q "$root/$mount" || umount "$root/$mount" || umount -l "$root/$mount"
    done
    # Never delete through a mount that is still there: /dev is the host's own.
    if mountpoint -q "$root/dev" || mountpoint -q "$root/proc"; then
        echo "measure-fresh-install: $root is still mounted; left in place" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

seconds_now() {
    date +%s.%N
}
seconds_between() {
    awk -v from="$1" -v to="$2" 'BEGIN { printf "%.1f", to - from }'
}
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
installed_packages() {
    # shellcheck disable=SC2016
    in_root dpkg-query -W -f '${db:Status-Abbrev}\n' | grep -c '^ii'
}
mib_used() {
    du -sxm "$root${1:-}" | cut -f 1
}

echo "debootstrap --variant=minbase bookworm from $mirror ($log)"
started=$(seconds_now)
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1 ||
    fail "debootstrap failed; the last lines of $log: $(tail -n 5 "$log")"
debootstrap_seconds=$(seconds_between "$started" "$(seconds_now)")
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Services installed as dependencies are not started inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
mkdir "$root/root/umbrafold"
git archive "$revision" | tar -x -C "$root/root/umbrafold"
packages_before=$(installed_packages)
mib_before=$(mib_used)

mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
echo "scripts/run.sh of $commit in the fresh root"
# The command's standard error goes through a pipe that stamps each line
# with the time it came, so the program's first line says when it started.
stamped=$root.stderr
started=$(seconds_now)
{
    status=0
    in_root sh -c 'cd /root/umbrafold && exec scripts/run.sh' 2>&1 >>"$log" || status=$?
    echo "$status" >"$root.status"
} | while IFS= read -r line; do
    printf '%s %s\n' "$(seconds_now)" "$line"
done >"$stamped"
finished=$(seconds_now)
status=$(cat "$root.status")
umount "$root/dev"
umount "$root/proc"

start_line=$(grep -m 1 ' umbrafold: cannot open display' "$stamped" || true)
cat "$stamped" >>"$log"
rm -f "$stamped" "$root.status"
{ [ "$status" -eq 1 ] && [ -n "$start_line" ]; } ||
    fail "scripts/run.sh ended with status $status before the program started; see $log"
start_seconds=$(seconds_between "$started" "${start_line%% *}")
total_seconds=$(seconds_between "$started" "$finished")

packages_after=$(installed_packages)
mib_after=$(mib_used)
mib_debs=$(mib_used /var/cache/apt/archives)
mib_project=$(mib_used /root/umbrafold)
foreign=$(in_root dpkg --print-foreign-architectures | paste -s -d ' ')

cat <<REPORT

scripts/run.sh of $commit on a fresh Debian 12 (debootstrap minbase, $mirror)
  fresh root:              $packages_before packages, $mib_before MiB (debootstrap took $debootstrap_seconds s)
  packages installed:      $((packages_after - packages_before)) (now $packages_after)
  disk used:               $((mib_after - mib_before)) MiB more (root now $mib_after MiB; of it $mib_debs MiB downloaded packages in apt's cache, $mib_project MiB the project and its build)
  foreign architectures:   ${foreign:-none}
  time to program's start: $start_seconds s (scripts/run.sh started -> build/umbrafold says "cannot open display"; the run took $total_seconds s)
  log:                     $log
REPORT
