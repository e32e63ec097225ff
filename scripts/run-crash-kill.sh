#!/bin/sh
# Runs the crash-kill test under Wine with the given number of kills and
# prints its "crash-kill: <kills> <damaged files>" line.
set -e
BUILD="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all HOURWRIGHT_CRASH_KILLS="$2"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
log="$BUILD/crash-kill.log"
status=0
xvfb-run -a wine "$BUILD/win64/hourwright_tests.exe" --gtest_filter='StorageCrashKill*' >"$log" 2>&1 || status=$?
grep '^crash-kill' "$log" || echo "crash-kill: 0 0 (the test did not run; see $log)"
[ $status = 0 ] || { tail -20 "$log" >&2; exit 1; }
