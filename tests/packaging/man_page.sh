#!/bin/sh
# Renders the man page with man's warnings on, then holds the program to
# what the page promises about its command line.
# Usage: man_page.sh PAGE PROGRAM WORK_DIR
set -eu
. "$(dirname "$0")/lib.sh"
page=$1 program=$2 work=$3
need man

fresh_dir "$work"
MANWIDTH=80 man --warnings -l "$page" >"$work/page.txt" 2>"$work/warnings.txt" ||
    fail "man -l failed: $(cat "$work/warnings.txt")"
[ ! -s "$work/warnings.txt" ] || fail "the man page renders with warnings: $(cat "$work/warnings.txt")"

# No display, so a program that wrongly set out to lock fails instead.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version </dev/null) ||
    fail "--version exited with $?"
grep -q "^$version  " "$work/page.txt" || fail "the page's footer does not name '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help </dev/null >/dev/null || fail "--help exited with $?"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --no-such-option </dev/null >/dev/null 2>"$work/usage.txt" || status=$?
[ "$status" -eq 2 ] || fail "an unknown argument exited with $status, the page promises 2"
[ -s "$work/usage.txt" ] || fail "an unknown argument printed no usage line on stderr"
echo "man page OK"
