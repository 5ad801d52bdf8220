#!/bin/sh
# Makes the Wine prefixes the tests share, before any of them runs, so that
# Wine's slow first start is paid once per run and inside no test:
#   prepare-wine-prefix.sh DIR [VARIANT...]
# DIR is the prefix most tests use. Each VARIANT gets DIR-VARIANT, a copy
# of it with one setting changed: one of Wine's Windows versions (win95,
# winxp, ...), or a resolution in dots per inch (144dpi).
set -eu
base="$1"
shift
export WINEDEBUG=-all
# No offer to download Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY

WINEPREFIX="$base" wineboot --init
# A relay trace (WINEDEBUG=+relay) shows only the calls that hold the
# system keys back and give them back.
WINEPREFIX="$base" wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /f \
    /d 'user32.SystemParametersInfoA;user32.SetWindowsHookExA;user32.UnhookWindowsHookEx' >/dev/null
WINEPREFIX="$base" wineserver --wait
test -f "$base/system.reg"

for variant in "$@"; do
    copy="$base-$variant"
    rm -rf "$copy"
    mkdir "$copy"
    # The system files, some 600 MB, are shared through hard links: nothing
    # in the tests writes to them. The two files Windows programs may
    # rewrite in place are copied, and so is the registry, where the
    # variants differ.
    cp -al "$base/drive_c" "$copy/"
    for ini in "$copy"/drive_c/windows/*.ini; do
        cp --remove-destination "$base/drive_c/windows/${ini##*/}" "$ini"
    done
    cp -a "$base/dosdevices" "$base"/*.reg "$base/.update-timestamp" "$copy/"
    case "$variant" in
    *dpi)
        WINEPREFIX="$copy" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /f \
            /t REG_DWORD /d "${variant%dpi}" >/dev/null
        ;;
    *)
        WINEPREFIX="$copy" wine reg add 'HKCU\Software\Wine' /v Version /f /d "$variant" >/dev/null
        ;;
    esac
    WINEPREFIX="$copy" wineserver --wait
done
