#!/usr/bin/env bash
# CI's bounded run of one fuzz target: its seed corpus, then new inputs up to
# RUNS executions in all, with a fixed seed, a time limit per input and
# memory limits, so a crash, a hang or unbounded allocation fails the test
# (the time limit leaves room for a machine busy with other tests: inputs
# take milliseconds, a hang takes forever).
# New inputs go to a fresh folder under the build, never to the sources.
#
# Usage: run-fuzz-target.sh PROGRAM NAME SOURCE_DIR SEEDS_DIR WORK_DIR RUNS
set -euo pipefail
# Stacks with function names, where a symbolizer is installed.
if symbolizer=$(command -v llvm-symbolizer-16 || command -v llvm-symbolizer); then
  export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$symbolizer}
fi
program=$1 name=$2 source=$3 seeds=$4 work=$5 runs=$6

rm -rf "$work/$name"
mkdir -p "$work/$name/new" "$work/$name/findings"
corpora=("$work/$name/new")
for dir in "$source/corpus/$name" "$seeds/$name"; do
  if [ -d "$dir" ]; then corpora+=("$dir"); fi
done
options=(-seed=1 -runs="$runs" -timeout=5 -rss_limit_mb=2048 -malloc_limit_mb=512
         -max_len=65536 -print_final_stats=1 -artifact_prefix="$work/$name/findings/")
if [ -f "$source/dict/$name.dict" ]; then options+=(-dict="$source/dict/$name.dict"); fi
exec "$program" "${options[@]}" "${corpora[@]}"
