#!/bin/sh
# Unpacks the Debian package and checks its name, control fields and files,
# then runs the packaged program.
# Usage: deb_contents.sh DEB_DIR VERSION "NAME VERSION" COPYRIGHT
set -eu
. "$(dirname "$0")/lib.sh"
dir=$1 version=$2 version_line=$3 copyright=$4
need dpkg dpkg-deb file man

arch=$(dpkg --print-architecture)
deb=$dir/umbrafold_${version}_$arch.deb
[ -f "$deb" ] || fail "no $deb; the folder holds: $(ls "$dir")"

field() {
    dpkg-deb -f "$deb" "$1"
}
[ "$(field Package)" = umbrafold ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = x11 ] || fail "Section is '$(field Section)'"
# fonts-liberation is named by hand; the libraries of both window systems
# can only come from dpkg-shlibdeps.
depends=$(field Depends)
for package in fonts-liberation libxcb1 libxcb-cursor0 libc6 libwayland-client0 libwayland-cursor0 libxkbcommon0 libfreetype6; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" ||
        fail "Depends lacks $package: '$depends'"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/umbrafold-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

cat >"$work/expected" <<'LIST'
./usr/bin/umbrafold
./usr/libexec/umbrafold/umbrafold-pointer.so
./usr/libexec/umbrafold/umbrafold-text.so
./usr/libexec/umbrafold/umbrafold-wayland
./usr/share/applications/umbrafold.desktop
./usr/share/doc/umbrafold/changelog.gz
./usr/share/doc/umbrafold/copyright
./usr/share/icons/hicolor/16x16/apps/umbrafold.png
./usr/share/icons/hicolor/32x32/apps/umbrafold.png
./usr/share/man/man1/umbrafold.1.gz
LIST
(cd "$work/root" && find . ! -type d | LC_ALL=C sort) >"$work/actual"
same_lines "the package's files" "$work/expected" "$work/actual"

cmp -s "$copyright" "$work/root/usr/share/doc/umbrafold/copyright" ||
    fail "the packaged copyright file is not $copyright"

binary=$work/root/usr/bin/umbrafold
file -b "$binary" | grep -q ', stripped' || fail "the packaged program is not stripped: $(file -b "$binary")"
out=$("$binary" --version </dev/null) || fail "the packaged umbrafold --version exited with $?"
[ "$out" = "$version_line" ] || fail "the packaged umbrafold --version printed '$out', expected '$version_line'"
finds_drawing_module "$binary"

# The compressed man page still renders cleanly.
warnings=$(MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/umbrafold.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the packaged man page renders with warnings: $warnings"
echo "package contents OK: $(basename "$deb")"
