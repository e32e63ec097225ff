#!/bin/sh
# Runs every libFuzzer target for FUZZ_SECONDS (default 60) from its seed
# corpus in fuzz/corpus/<target>/, then the long crash-kill loop under Wine.
# Prints one line per target: "fuzz: <target> <executions> <findings>".
# A finding (crash, sanitizer report or wrong answer) is kept as
# build/native/fuzz-findings/<target>/crash-* and fails the run.
set -e
BUILD="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
native="$BUILD/native"
seconds="${FUZZ_SECONDS:-60}"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
summary=""
failed=0
for seeds in "$root"/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work="$native/fuzz-corpus/$target"
  findings="$native/fuzz-findings/$target"
  mkdir -p "$work" "$findings"
  log="$native/fuzz-$target.log"
  "$native/fuzz_$target" "$work" "$seeds" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" -timeout=10 -rss_limit_mb=2048 >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(ls "$findings" | wc -l)
  [ "$found" = 0 ] || { failed=1; tail -40 "$log"; }
  summary="$summary
fuzz: $target ${runs:-0} $found"
done
crash=$("$root/scripts/run-crash-kill.sh" "$BUILD" "${CRASH_KILLS:-300}") || failed=1
echo "$summary" | sed '/^$/d'
echo "$crash"
exit $failed
