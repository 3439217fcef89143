#!/usr/bin/env bash
# Runs every test: the sanitized build, the threaded tests under
# ThreadSanitizer, then the fuzz targets' bounded runs. Services the tests
# need (a JACK server, an X server) are started by the tests' own fixtures.
# Every test runs: a tool or server that a test needs and that is missing
# (Xvfb, xdotool, openbox, wmctrl, xterm, jackd) fails that test, naming it
# and the package that brings it, where a hand-run ctest would skip it
# (tests/support/require-tools.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export TORVAN_TESTS_REQUIRE_TOOLS=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# make test builds all three; a build that is missing is not passed over.
for build in build/test build/tsan build/fuzz; do
  if [ ! -f "$build/CTestTestfile.cmake" ]; then
    echo "$build is not built: make test builds it (make build-${build#build/})" >&2
    exit 1
  fi
done
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300
TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1} \
  ctest --test-dir build/tsan --output-on-failure -j "$jobs" --timeout 300
ctest --test-dir build/fuzz --output-on-failure -j "$jobs" --timeout 300
