#!/bin/sh
# Makes the Wine prefix the tests share, before any of them runs, so that
# Wine's slow first start is paid once per run and inside no test.
set -eu
export WINEPREFIX="$1"
export WINEDEBUG=-all
# No offer to download Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY
wineboot --init
wineserver --wait
test -f "$WINEPREFIX/system.reg"
