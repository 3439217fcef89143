#!/usr/bin/env bash
# Times the upload of a bank of 99 patches over JACK against its bound, on a
# JACK server of its own (the dummy driver at 48 kHz) at periods of 256 and
# of 128 frames: the editor's bank transfer against simsynthd, both sending
# at the MIDI wire rate, as the test FlashJack.ABankOf99UploadsWholeInTheProgramsLoop
# runs it (this script reads the line the test prints). The server hands
# MIDI on once a period, so each exchange (a request and its answer) may
# wait for it. Bounds:
#   256 frames: each exchange costs at most 1.2 periods beyond its wire time;
#   128 frames: the whole upload takes at most 1.05 x the wire time.
# Prints each figure with "met" or "not met"; ends with 1 when one is not.
#
#   bench/jack/upload-over-jack.sh [TEST_PROGRAM] [RUNS]
#
# TEST_PROGRAM defaults to the test build's test_flash_jack (make test, or
# cmake --build build/test --target test_flash_jack). Needs jackd.
set -euo pipefail
program=${1:-build/test/tests/test_flash_jack}
runs=${2:-3}
rate=48000
work=$(mktemp -d)
jack=""
cleanup() {
  [ -n "$jack" ] && kill "$jack" 2>/dev/null && wait "$jack" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
[ -x "$program" ] || { echo "no test program $program" >&2; exit 2; }

export JACK_NO_AUDIO_RESERVATION=1
start_jack() {
  export JACK_DEFAULT_SERVER="upload-bench-$$-$1"
  setsid jackd --no-realtime --sync --timeout 500 --name "$JACK_DEFAULT_SERVER" -d dummy -r "$rate" -p "$1" \
    >"$work/jackd-$1.log" 2>&1 </dev/null &
  jack=$!
  for _ in $(seq 100); do
    timeout 5 jack_lsp >/dev/null 2>&1 && return 0
    kill -0 "$jack" 2>/dev/null || break
    sleep 0.1
  done
  echo "jackd did not start: $(cat "$work/jackd-$1.log")" >&2
  exit 2
}
stop_jack() {
  kill "$jack" 2>/dev/null || true
  wait "$jack" 2>/dev/null || true
  jack=""
}

failed=0
for period in 256 128; do
  start_jack "$period"
  for run in $(seq "$runs"); do
    line=$("$program" --gtest_filter=FlashJack.ABankOf99UploadsWholeInTheProgramsLoop 2>&1 |
      grep '99-patch upload over JACK:' || true)
    [ -n "$line" ] || { echo "period $period, run $run: the upload did not finish" >&2; failed=1; continue; }
    # "...: S s for B bytes (wire W s) in N exchanges: R x the wire time; ..."
    read -r seconds wire exchanges <<<"$(sed -E 's/.*JACK: ([0-9.e+-]+) s for [0-9]+ bytes \(wire ([0-9.e+-]+) s\) in ([0-9]+) exchanges.*/\1 \2 \3/' <<<"$line")"
    verdict=$(awk -v s="$seconds" -v w="$wire" -v n="$exchanges" -v p="$period" -v r="$rate" 'BEGIN {
      if (p == 256) {
        per = (s - w) / n / (p / r)
        printf "%.3f periods beyond the wire time an exchange (bound 1.20): %s", per, per <= 1.2 ? "met" : "not met"
      } else {
        x = s / w
        printf "%.3f x the wire time (bound 1.05): %s", x, x <= 1.05 ? "met" : "not met"
      }
    }')
    echo "period $period frames, run $run: $seconds s for $exchanges exchanges, wire $wire s: $verdict"
    case $verdict in *"not met") failed=1 ;; esac
  done
  stop_jack
done
echo "load: $(uptime | sed 's/.*load average: //')"
exit "$failed"
