#!/usr/bin/env bash
# Starts Patchora on a virtual X display as `make run` does, makes a patch
# with Ctrl+N and quits with Ctrl+Q: the program must end by itself with 0
# and leave its preferences file. Needs a virtual X server and xdotool
# (tests/support/require-tools.sh says what is missing).
set -euo pipefail
program=$1
"$(dirname "$0")/../support/require-tools.sh" xvfb-run xauth xdotool || exit $?
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
# The desktop libraries keep allocations to the end of the process.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

cat >"$dir/session.sh" <<'SESSION'
set -u
"$1" >"$2/patchora.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  window=$(xdotool search --name "Vesk Kandrel Editor" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no editor window"; kill $pid; exit 1; }
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool mousemove --window "$window" 300 300 click 1
xdotool key --delay 100 ctrl+n
sleep 0.5
xdotool key --delay 100 ctrl+q
for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "Ctrl+Q did not end the editor"; kill $pid; exit 1; fi
wait $pid
SESSION
if ! timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$dir/session.sh" "$program" "$dir"; then
  cat "$dir/patchora.log"
  exit 1
fi
prefs=$(find "$XDG_CONFIG_HOME/Torvan" -name "TorvanKandrelEditor Preferences" | head -1)
[ -n "$prefs" ] || { echo "no preferences file was written"; exit 1; }
head -c 12 "$prefs" | grep -q "^Version 11 " || { echo "the preferences file does not start with its version"; exit 1; }
echo "Patchora started, made a patch and quit; $prefs written"
