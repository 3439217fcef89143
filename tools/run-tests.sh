#!/usr/bin/env bash
# Runs every test: the sanitized build, the threaded tests under
# ThreadSanitizer, then the fuzz targets' bounded runs. Services the tests need (a JACK server, an X server) are
# started by the tests' own fixtures.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300
if [ -n "$(ls build/tsan/tests/test_* 2>/dev/null)" ]; then
  TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1} \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" --timeout 300
fi
if [ -n "$(ls build/fuzz/tests/fuzz/fuzz_* 2>/dev/null)" ]; then
  ctest --test-dir build/fuzz --output-on-failure -j "$jobs" --timeout 300
fi
