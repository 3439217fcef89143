#!/usr/bin/env bash
# Shows the demo on a virtual X display and compares the real screen with what
# the framework drew; also checks the headless picture. Exit 77 (skipped) only
# when no virtual X server is installed.
set -euo pipefail
demo=$1
out=${2:-$(mktemp -d)}
mkdir -p "$out"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed: skipped"
  exit 77
fi
"$demo" --headless "$out/demo-headless.png"
test -s "$out/demo-headless.png"
# The desktop libraries keep allocations to the end of the process.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$out/demo-screen.png"
test -s "$out/demo-screen.png"
