#!/usr/bin/env bash
# Shows an alert and a dialog of controls on a virtual X display, takes the
# real screen's pictures of both and compares them with what was drawn; also
# writes the headless pictures. Exit 77 (skipped) only without a virtual X server.
set -euo pipefail
demo=$1
out=${2:-$(mktemp -d)}
mkdir -p "$out"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed: skipped"
  exit 77
fi
"$demo" --headless "$out"
test -s "$out/alert-headless.png"
test -s "$out/dialog-headless.png"
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$out"
test -s "$out/alert-screen.png"
test -s "$out/dialog-screen.png"
