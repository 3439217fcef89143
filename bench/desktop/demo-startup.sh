#!/usr/bin/env bash
# Measures the framework demo on the SDL2 desktop backend: the time from
# starting it to its first report (written at its first idle step, after the
# first frame is painted and shown) and its resident memory then.
#
#   bench/desktop/demo-startup.sh [DEMO] [RUNS]
#
# DEMO defaults to the release build's (make run builds it). Needs Xvfb.
set -euo pipefail
demo=${1:-build/release/tools/torvan-demo}
runs=${2:-5}
. "$(dirname "$0")/virtual-screen.sh"
start_virtual_screen 1024x768x24

now_ms() { date +%s%3N; }
for run in $(seq "$runs"); do
  export XDG_RUNTIME_DIR="$work/run$run" XDG_CONFIG_HOME="$work/config$run"
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  state="$work/state$run"
  start=$(now_ms)
  "$demo" --state-file "$state" >/dev/null 2>&1 &
  pid=$!
  until [ -s "$state" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "the demo ended early" >&2; exit 1; }
    sleep 0.002
  done
  first=$(( $(now_ms) - start ))
  sleep 0.5
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v run="$run" -v ms="$first" -v kb="$rss" \
    'BEGIN { printf "run %d: first frame after %d ms, resident memory %.1f MB\n", run, ms, kb / 1024 }'
done
