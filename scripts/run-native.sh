#!/bin/sh
# Builds the pure code and its tests natively with clang under AddressSanitizer
# and UndefinedBehaviorSanitizer, runs the tests, and replays every fuzz corpus
# once. Any sanitizer report fails the run. First the quick self-check of
# the 32-bit chroot script's `off`.
set -e
BUILD="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
native="$BUILD/native"
"$root/scripts/check-wine32-off.sh"
[ -f "$native/CMakeCache.txt" ] ||
  cmake -S "$root/native" -B "$native" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$native" -j "${JOBS:-2}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$native/pure_tests_sanitized" --gtest_brief=1
replayed=0
for corpus in "$root"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  set -- "$corpus"*
  [ -e "$1" ] || continue
  "$native/fuzz_$target" -runs=0 "$@" >"$native/replay-$target.log" 2>&1 ||
    { cat "$native/replay-$target.log"; echo "corpus replay failed: $target"; exit 1; }
  replayed=$((replayed + $#))
done
echo "native sanitizer tests passed; fuzz corpora replayed: $replayed inputs"
