#!/usr/bin/env bash
# Times Patchora's start to its first painted frame beside a bare SDL2
# program that opens a window and fills it (bare-sdl-window), paired run by
# run on one Xvfb without a window manager and without a MIDI server: the
# time from the start of each program to the first damage the X server
# reports on its root window that shows more than black (first-frame-probe).
# Prints each pair, the min and median of each program, and the ratio of the
# medians against the goal (Patchora at most 1.2 x the bare program's).
# First it checks that the probe times the filled frame: the bare program
# pausing before it fills must show at least that pause.
#
#   bench/desktop/first-frame.sh [PATCHORA] [RUNS]
#
# PATCHORA defaults to the bench build's; the bare program and the probe are
# built beside the benchmarks (make bench). Needs Xvfb.
set -euo pipefail
editor=${1:-build/bench/editor/Patchora}
runs=${2:-11}
tools=${BENCH_TOOLS:-build/bench/bench}
. "$(dirname "$0")/virtual-screen.sh"
sync -- "$editor" "$tools/bare-sdl-window"
start_virtual_screen 1280x1024x24

export TORVAN_MIDI_API=none SDL_VIDEODRIVER=x11
# Each start in folders of its own: no running copy, no preferences.
first_frame() {
  local folder="$work/$1$run"
  mkdir -p "$folder/run" "$folder/config" "$folder/home"
  chmod 700 "$folder/run"
  shift
  XDG_RUNTIME_DIR="$folder/run" XDG_CONFIG_HOME="$folder/config" HOME="$folder/home" \
    "$tools/first-frame-probe" 10000 "$@"
}
# One start of each first, not counted: the programs' files are read from
# the disk once.
run=0
first_frame warm "$editor" >/dev/null
first_frame warm "$tools/bare-sdl-window" >/dev/null
pause=200
paused=$(first_frame paused "$tools/bare-sdl-window" 640 480 "$pause")
echo "bare SDL2 window pausing $pause ms before it fills: $paused ms"
awk -v p="$paused" -v pause="$pause" 'BEGIN { exit !(p >= pause) }' || {
  echo "the probe counted a frame before the fill" >&2
  exit 1
}
: >"$work/editor"
: >"$work/bare"
for run in $(seq "$runs"); do
  # Turn about, so neither always starts on a server the other just left.
  if [ $((run % 2)) = 1 ]; then
    e=$(first_frame editor "$editor")
    b=$(first_frame bare "$tools/bare-sdl-window")
  else
    b=$(first_frame bare "$tools/bare-sdl-window")
    e=$(first_frame editor "$editor")
  fi
  echo "$e" >>"$work/editor"
  echo "$b" >>"$work/bare"
  echo "run $run: Patchora $e ms, bare SDL2 window $b ms"
done
stats() { sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%s %s", v[1], (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
read -r emin emed <<<"$(stats "$work/editor")"
read -r bmin bmed <<<"$(stats "$work/bare")"
echo "first frame, min / median: Patchora $emin / $emed ms, bare SDL2 window $bmin / $bmed ms"
awk -v e="$emed" -v b="$bmed" 'BEGIN {
  ratio = e / b
  printf "median ratio %.2f (goal at most 1.20): %s\n", ratio, ratio <= 1.2 ? "met" : "not met"
}'
echo "load: $(uptime | sed 's/.*load average: //')"
