#!/usr/bin/env bash
# Shows an alert and a dialog of controls on a virtual X display, takes the
# real screen's pictures of both and compares them with what was drawn; also
# writes the headless pictures. Needs a virtual X server
# (tests/support/require-tools.sh says when it is missing).
set -euo pipefail
demo=$1
out=${2:-$(mktemp -d)}
mkdir -p "$out"
"$(dirname "$0")/../../tests/support/require-tools.sh" xvfb-run xauth || exit $?
"$demo" --headless "$out"
test -s "$out/alert-headless.png"
test -s "$out/dialog-headless.png"
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$out"
test -s "$out/alert-screen.png"
test -s "$out/dialog-screen.png"
