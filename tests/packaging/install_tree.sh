#!/bin/sh
# Installs the build into a fresh prefix and checks that the program, its
# man page, menu entry and icons land where a desktop looks for them.
# Usage: install_tree.sh CMAKE BUILD_DIR WORK_DIR RESOURCES_DIR "NAME VERSION"
set -eu
. "$(dirname "$0")/lib.sh"
cmake=$1 build=$2 work=$3 resources=$4 version=$5
need convert file

fresh_dir "$work"
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"

# Exactly these files: nothing missing, nothing installed by mistake.
cat >"$work/expected" <<'LIST'
./bin/umbrafold
./libexec/umbrafold/umbrafold-pointer.so
./libexec/umbrafold/umbrafold-text.so
./libexec/umbrafold/umbrafold-wayland
./share/applications/umbrafold.desktop
./share/doc/umbrafold/changelog
./share/doc/umbrafold/copyright
./share/icons/hicolor/16x16/apps/umbrafold.png
./share/icons/hicolor/32x32/apps/umbrafold.png
./share/man/man1/umbrafold.1
LIST
(cd "$prefix" && find . ! -type d | LC_ALL=C sort) >"$work/actual"
same_lines "the installed tree" "$work/expected" "$work/actual"

# The installed program runs from its new place.
[ -x "$prefix/bin/umbrafold" ] || fail "bin/umbrafold is not executable"
out=$("$prefix/bin/umbrafold" --version </dev/null) || fail "installed umbrafold --version exited with $?"
[ "$out" = "$version" ] || fail "installed umbrafold --version printed '$out', expected '$version'"
finds_drawing_module "$prefix/bin/umbrafold"

# In a Wayland session it hands over to the installed Wayland program,
# which finds no compositor on this socket and says so.
err=$(WAYLAND_DISPLAY="$work/no-such-socket" "$prefix/bin/umbrafold" 2>&1 </dev/null) && status=0 || status=$?
[ "$status" -eq 1 ] || fail "installed umbrafold in a Wayland session exited with $status: $err"
[ "$err" = "umbrafold: cannot connect to the Wayland compositor: nothing answers on WAYLAND_DISPLAY" ] ||
    fail "installed umbrafold did not reach umbrafold-wayland: $err"

# The menu entry names the installed program and the installed icon.
desktop=$prefix/share/applications/umbrafold.desktop
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
{ [ -n "$program" ] && [ -x "$prefix/bin/$program" ]; } || fail "the menu entry runs '$program', which is not in bin/"
icon=$(sed -n 's/^Icon=//p' "$desktop")

# The theme icons are PNGs of their folder's size with the XPM's very pixels.
for size in 16 32; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "the menu entry's icon '$icon' is not installed at ${size}x$size"
    file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "$png is not a ${size}x$size RGBA PNG: $(file -b "$png")"
    convert "$resources/umbrafold-$size.xpm" txt:- >"$work/xpm-$size.txt"
    convert "$png" txt:- >"$work/png-$size.txt"
    same_lines "the pixels of the ${size}x$size icon" "$work/xpm-$size.txt" "$work/png-$size.txt"
done
echo "installed tree OK"
