#!/bin/sh
# Runs the crash-kill test under Wine with the given number of kills and
# prints its "crash-kill: <kills> <damaged files>" line.
set -e
BUILD="$1"
export HOURWRIGHT_CRASH_KILLS="$2"
. "$(dirname "$0")/wine-env.sh"
log="$BUILD/crash-kill.log"
status=0
in_xvfb wine "$BUILD/win64/hourwright_tests.exe" --gtest_filter='StorageCrashKill*' >"$log" 2>&1 || status=$?
grep '^crash-kill' "$log" || echo "crash-kill: 0 0 (the test did not run; see $log)"
[ $status = 0 ] || { tail -20 "$log" >&2; exit 1; }
