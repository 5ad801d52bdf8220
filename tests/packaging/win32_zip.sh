#!/bin/sh
# Packs the cross-built Win32 program as `cpack` in its build folder would,
# and checks that the zip holds the program, its README and the licence, and
# nothing else.
# Usage: win32_zip.sh CMAKE CPACK WIN32_BUILD_DIR WORK_DIR VERSION LICENSE
set -eu
. "$(dirname "$0")/lib.sh"
cmake=$1 cpack=$2 build=$3 work=$4 version=$5 license=$6
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
./Umbrafold-$version-win32/LICENSE.txt
./Umbrafold-$version-win32/README.txt
./Umbrafold-$version-win32/Umbrafold.exe
LIST
(cd "$work/unpacked" && find . ! -type d | LC_ALL=C sort) >"$work/actual"
same_lines "the zip's files" "$work/expected" "$work/actual"

folder=$work/unpacked/Umbrafold-$version-win32
file -b "$folder/Umbrafold.exe" | grep -q '^PE32 executable (GUI) Intel 80386' ||
    fail "Umbrafold.exe is not a 32-bit Windows GUI program: $(file -b "$folder/Umbrafold.exe")"
# Notepad of that era shows a file with bare line feeds as one long line.
for text in README.txt LICENSE.txt; do
    file -b "$folder/$text" | grep -q 'CRLF line terminators' || fail "$text does not have CRLF line ends"
done
grep -q "^Umbrafold $version for Windows" "$folder/README.txt" || fail "README.txt does not name version $version"
tail -n 1 "$folder/README.txt" | grep -q 'MIT licence; see LICENSE.txt' ||
    fail "README.txt does not end by naming the licence: $(tail -n 1 "$folder/README.txt")"
tr -d '\r' <"$folder/LICENSE.txt" >"$work/license"
same_lines "LICENSE.txt" "$license" "$work/license"
echo "Win32 zip OK"
