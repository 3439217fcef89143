#!/usr/bin/env bash
# Measures Patchora's memory on a 1280 x 1024 X desktop without a MIDI
# server, with the largest patch it can hold (two areas of 127 modules of
# the widest type, 255 cables each, every map full: the patch document
# benchmark's, saved as the editor saves it) in its maximised window: its
# private memory (Private_Dirty and Private_Clean of smaps_rollup: the pages
# no other process shares, what the program itself changed and what only it
# has read) and its resident memory. Goals: private at most 12 MB, resident at most 30 MB.
# (first-frame.sh times the start.)
#
#   bench/desktop/editor-memory.sh [PATCHORA] [RUNS]
#
# PATCHORA defaults to the release build's (make build-release); the patch
# comes from bench_patch (make bench). Needs Xvfb, openbox and wmctrl.
set -euo pipefail
editor=${1:-build/release/editor/Patchora}
runs=${2:-5}
bench_patch=${BENCH_PATCH:-build/bench/bench/bench_patch}
. "$(dirname "$0")/virtual-screen.sh"

# A program just built has pages the disk has not taken yet, which count as
# its private memory until they are written back.
sync -- "$editor"

patch="$work/Largest.pch"
PATCHBENCH_KEEP_FULL="$patch" "$bench_patch" --benchmark_filter=BM_ApplyFullPatch \
  --benchmark_min_time=0.01 >/dev/null 2>&1
[ -s "$patch" ] || { echo "no patch file from $bench_patch" >&2; exit 1; }

start_virtual_screen 1280x1024x24
openbox >/dev/null 2>&1 &
stop_at_exit+=($!)
sleep 0.5

# Without a MIDI server: the devices of no MIDI system are listed.
export TORVAN_MIDI_API=none SDL_VIDEODRIVER=x11
field() { awk -v key="$1" '$1 == key {print $2}' "$2"; }
# Starts Patchora with the arguments given; sets pid once it has reported
# (after its splash screen's minimum time).
start_editor() {
  local name=$1
  shift
  export XDG_RUNTIME_DIR="$work/run$name" XDG_CONFIG_HOME="$work/config$name" HOME="$work/home$name"
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  local state="$work/state$name"
  PATCHORA_STATE_REPORT="$state" "$editor" "$@" >"$work/log$name" 2>&1 &
  pid=$!
  until [ -s "$state" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "Patchora ended early: $(cat "$work/log$name")" >&2; exit 1; }
    sleep 0.002
  done
}
stop_editor() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
for run in $(seq "$runs"); do
  start_editor "full$run" "$patch"
  # The frame fills the screen, the patch window the frame.
  wmctrl -i -r "$(wmctrl -lp | awk -v pid="$pid" '$3 == pid {print $1; exit}')" \
    -b add,maximized_vert,maximized_horz 2>/dev/null || true
  sleep 1
  # A library's pages another program maps too count as shared, not
  # private: a run beside another SDL2 program (a test's) reads low
  # (counted first: a program that ends meanwhile still marks the run).
  sharing=$(grep -l -F libSDL2 /proc/[0-9]*/maps 2>/dev/null | grep -cv "^/proc/$pid/maps" || true)
  dirty=$(field Private_Dirty: "/proc/$pid/smaps_rollup")
  clean=$(field Private_Clean: "/proc/$pid/smaps_rollup")
  resident=$(field VmRSS: "/proc/$pid/status")
  [ "$run" = 1 ] && [ -n "${SCREENSHOT:-}" ] && import -window root "$SCREENSHOT"
  stop_editor
  awk -v run="$run" -v d="$dirty" -v c="$clean" -v r="$resident" -v s="$sharing" \
    'BEGIN { printf "run %d: private memory %.1f MB (dirty %.1f, clean %.1f), resident memory %.1f MB%s\n",
                    run, (d + c) / 1024, d / 1024, c / 1024, r / 1024,
                    (s > 0 ? sprintf(" (%d other programs map SDL2: low)", s) : "") }'
done
