#!/bin/sh
# Sets everything up, then locks the current display.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/umbrafold
