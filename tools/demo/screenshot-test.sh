#!/usr/bin/env bash
# Shows the demo on a virtual X display and compares the real screen with what
# the framework drew; also checks the headless picture. Needs a virtual X
# server (tests/support/require-tools.sh says when it is missing).
set -euo pipefail
demo=$1
out=${2:-$(mktemp -d)}
mkdir -p "$out"
"$(dirname "$0")/../../tests/support/require-tools.sh" xvfb-run xauth || exit $?
"$demo" --headless "$out/demo-headless.png"
test -s "$out/demo-headless.png"
# The desktop libraries keep allocations to the end of the process.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$out/demo-screen.png"
test -s "$out/demo-screen.png"
