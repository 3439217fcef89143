#!/usr/bin/env bash
# Runs one fuzz target at length: tools/fuzz.sh TARGET [SECONDS]
# TARGET is one of the targets declared in tests/fuzz/CMakeLists.txt (run
# without arguments to list them). The growing corpus is kept in
# build/fuzz/corpus/TARGET, findings are saved in
# build/fuzz/findings/TARGET/ (turn each into a regression case of the
# library's tests). Runs at low priority beside other builds.
set -euo pipefail
# Stacks with function names, where a symbolizer is installed.
if symbolizer=$(command -v llvm-symbolizer-16 || command -v llvm-symbolizer); then
  export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$symbolizer}
fi
cd "$(dirname "$0")/.."
targets=$(sed -n 's/^torvan_fuzz_target(\([a-z_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
if [ $# -lt 1 ] || ! grep -qx -- "$1" <<<"$targets"; then
  echo "usage: tools/fuzz.sh TARGET [SECONDS]; TARGET is one of:" $targets >&2
  exit 2
fi
target=$1 seconds=${2:-600}
tools/setup.sh
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "${JOBS:-4}" --target "fuzz_$target" fuzz_seed_corpus
corpus=build/fuzz/corpus/$target findings=build/fuzz/findings/$target
mkdir -p "$corpus" "$findings"
options=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -malloc_limit_mb=512 -max_len=65536
         -print_final_stats=1 -artifact_prefix="$findings/")
if [ -f "tests/fuzz/dict/$target.dict" ]; then options+=(-dict="tests/fuzz/dict/$target.dict"); fi
seeds=()
for dir in "tests/fuzz/corpus/$target" "build/fuzz/fuzz-seeds/$target"; do
  if [ -d "$dir" ]; then seeds+=("$dir"); fi
done
exec nice -n 10 "build/fuzz/tests/fuzz/fuzz_$target" "${options[@]}" "$corpus" "${seeds[@]}"
