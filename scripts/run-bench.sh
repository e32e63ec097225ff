#!/bin/sh
# Runs the benchmarks under Wine in a private X server (the clipboard needs one).
set -e
BUILD="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
mkdir -p "$BUILD/bench-data"
xvfb-run -a -s "-screen 0 1024x768x24" wine "$BUILD/win64/hourwright_bench.exe" "$BUILD/bench-data"
