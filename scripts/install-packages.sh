#!/bin/sh
# Installs the packages of the named lists of scripts/packages/ that are not
# installed yet, as root or through sudo. Packages of the i386 architecture
# (Wine's 32-bit half) get that architecture added first.
# Usage: scripts/install-packages.sh [--no-install-recommends] LIST...
#   LIST is build, test, win32, bench or measure; --no-install-recommends
#   leaves out what the packages merely recommend.
set -eu
lists=$(dirname "$0")/packages
recommends=""
if [ "${1:-}" = --no-install-recommends ]; then
    recommends=$1
    shift
fi

wanted=""
for list in "$@"; do
    [ -f "$lists/$list.txt" ] || {
        echo "install-packages: no package list $lists/$list.txt" >&2
        exit 2
    }
    wanted="$wanted $(sed 's/#.*//' "$lists/$list.txt")"
done

missing=""
for p in $wanted; do
    case " $missing " in *" $p "*) continue ;; esac
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -n "$missing" ] || exit 0

as_root=""
[ "$(id -u)" -eq 0 ] || as_root="sudo"
case " $missing " in
*" wine32 "* | *":i386 "*)
    dpkg --print-foreign-architectures | grep -q i386 || $as_root dpkg --add-architecture i386
    ;;
esac
$as_root apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq $recommends $missing
