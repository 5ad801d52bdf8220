#!/bin/sh
# Packs the cross-built Win32 program as `cpack` in its build folder would,
# and checks that the zip holds the program and its README, and nothing else.
# Usage: win32_zip.sh CMAKE CPACK WIN32_BUILD_DIR WORK_DIR VERSION
set -eu
. "$(dirname "$0")/lib.sh"
cmake=$1 cpack=$2 build=$3 work=$4 version=$5
need file

config=$build/CPackConfig.cmake
[ -f "$config" ] || fail "no $config: the Win32 build is not configured (scripts/setup.sh does it)"
fresh_dir "$work"
"$cpack" --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
zip=$work/out/Umbrafold-$version-win32.zip
[ -f "$zip" ] || fail "no $zip; cpack wrote: $(ls "$work/out")"

mkdir "$work/unpacked"
(cd "$work/unpacked" && "$cmake" -E tar xf "$zip") || fail "cannot unpack $zip"
cat >"$work/expected" <<LIST
./Umbrafold-$version-win32/README.txt
./Umbrafold-$version-win32/Umbrafold.exe
LIST
(cd "$work/unpacked" && find . ! -type d | LC_ALL=C sort) >"$work/actual"
same_lines "the zip's files" "$work/expected" "$work/actual"

folder=$work/unpacked/Umbrafold-$version-win32
file -b "$folder/Umbrafold.exe" | grep -q '^PE32 executable (GUI) Intel 80386' ||
    fail "Umbrafold.exe is not a 32-bit Windows GUI program: $(file -b "$folder/Umbrafold.exe")"
# Notepad of that era shows a file with bare line feeds as one long line.
file -b "$folder/README.txt" | grep -q 'CRLF line terminators' || fail "README.txt does not have CRLF line ends"
grep -q "^Umbrafold $version for Windows" "$folder/README.txt" || fail "README.txt does not name version $version"
echo "Win32 zip OK"
