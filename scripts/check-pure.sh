#!/bin/sh
# Every source that is not a *_win.cpp file must build without Windows, with
# the machine's own g++ and clang, so it can run under sanitizers and fuzzers.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
files=$(ls app/*.cpp common/*.cpp store/*.cpp ui/*.cpp logging/*.cpp editors/*.cpp export/*.cpp about/*.cpp totals/*.cpp \
  report/*.cpp report_cli/*.cpp 2>/dev/null \
  | grep -v '_win\.cpp$' | grep -v '^app/win_main\.cpp$' | grep -v '^report_cli/report_main\.cpp$')
# report_main.cpp needs the generated version header; build/report compiles it.
for compiler in g++ clang++; do
  command -v $compiler >/dev/null || continue
  for f in $files; do
    $compiler -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I. "$f"
  done
done
echo "pure sources build natively: $(echo $files | wc -w) files"
