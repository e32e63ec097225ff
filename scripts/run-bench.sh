#!/bin/sh
# Runs the benchmarks under Wine in a private X server (the clipboard needs one),
# then hourwright-report's native build beside Timewarrior and `cat`.
set -e
BUILD="$1"
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$BUILD/bench-data"
in_xvfb wine "$BUILD/win64/hourwright_bench.exe" "$BUILD/bench-data"
if ! command -v timew >/dev/null; then
  SUDO=""
  [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update >/dev/null
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends timewarrior >/dev/null
fi
python3 "$root/bench/report_bench.py" "$BUILD/report/hourwright-report" "$BUILD/bench-data/report"
