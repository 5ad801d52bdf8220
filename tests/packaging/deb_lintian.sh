#!/bin/sh
# Runs lintian on the Debian package with its pedantic checks: any error,
# warning or pedantic tag fails.
# Usage: deb_lintian.sh DEB_DIR
set -eu
. "$(dirname "$0")/lib.sh"
dir=$1
need lintian

set -- "$dir"/umbrafold_*.deb
{ [ $# -eq 1 ] && [ -f "$1" ]; } || fail "expected one package in $dir, found: $*"
status=0
lintian --pedantic --fail-on error,warning,pedantic --tag-display-limit 0 "$1" || status=$?
[ "$status" -eq 0 ] || fail "lintian reported errors, warnings or pedantic tags (exit status $status)"
echo "lintian: clean, pedantic checks included"
