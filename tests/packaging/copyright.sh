#!/bin/sh
# Holds Debian's copyright file to the project's LICENSE: every Files
# paragraph names the same holders and the MIT licence, whose one stand-alone
# paragraph carries LICENSE's text word for word.
# Usage: copyright.sh COPYRIGHT LICENSE
set -eu
. "$(dirname "$0")/lib.sh"
copyright=$1 license=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/umbrafold-copyright.XXXXXX")
trap 'rm -rf "$work"' EXIT

head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "$copyright is not in the machine-readable format: $(head -n 1 "$copyright")"

holders=$(sed -n 's/^Copyright (c) //p' "$license")
[ -n "$holders" ] || fail "$license has no 'Copyright (c)' line"
# One line per Files paragraph: its Copyright and License fields.
awk 'BEGIN { RS = ""; FS = "\n" }
     $1 ~ /^Files: / {
         copyright = license = ""
         for (i = 2; i <= NF; i++) {
             if ($i ~ /^Copyright: /) copyright = substr($i, 12)
             if ($i ~ /^License: /) license = substr($i, 10)
         }
         print copyright " | " license
     }' "$copyright" >"$work/files"
[ -s "$work/files" ] || fail "$copyright has no Files paragraph"
while IFS= read -r fields; do
    [ "$fields" = "$holders | MIT" ] ||
        fail "a Files paragraph says '$fields', expected '$holders | MIT'"
done <"$work/files"

# The stand-alone paragraph's text, unfolded: one leading space off each
# line, and a lone "." for an empty line.
awk 'BEGIN { RS = ""; FS = "\n" }
     $1 == "License: MIT" {
         for (i = 2; i <= NF; i++) {
             line = substr($i, 2)
             print (line == "." ? "" : line)
         }
     }' "$copyright" >"$work/text"
sed -n '/^Permission/,$p' "$license" >"$work/expected"
[ -s "$work/expected" ] || fail "$license has no 'Permission' paragraph"
same_lines "the licence text of $copyright" "$work/expected" "$work/text"
echo "copyright OK: MIT, $holders"
