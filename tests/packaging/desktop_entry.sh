#!/bin/sh
# Checks the menu entry with desktop-file-validate: errors, warnings and hints all fail.
# Usage: desktop_entry.sh FILE.desktop
set -eu
. "$(dirname "$0")/lib.sh"
need desktop-file-validate

report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate failed: $report"
[ -z "$report" ] || fail "desktop-file-validate complains: $report"
echo "menu entry OK"
