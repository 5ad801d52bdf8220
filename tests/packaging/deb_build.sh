#!/bin/sh
# Builds the Debian package into a folder of its own, as `cpack -G DEB` in
# the build folder would, for the tests that inspect it.
# Usage: deb_build.sh CPACK CPACK_CONFIG OUT_DIR
set -eu
. "$(dirname "$0")/lib.sh"
cpack=$1 config=$2 out=$3
need dpkg-deb dpkg-shlibdeps

fresh_dir "$out"
"$cpack" --config "$config" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$out/cpack.log")"
ls "$out"/*.deb
