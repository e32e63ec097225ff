#!/bin/sh
# Runs the benchmarks under Wine in a private X server (the clipboard needs one).
set -e
BUILD="$1"
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$BUILD/bench-data"
in_xvfb wine "$BUILD/win64/hourwright_bench.exe" "$BUILD/bench-data"
