#!/usr/bin/env bash
# Starts or stops the JACK server that tests talk MIDI through: jackd with its
# dummy driver, so it needs no sound hardware, no real-time rights and no
# D-Bus session, under a server name of the build's own.
#
# The server runs in its synchronous mode (-S): each cycle waits until every
# client has processed it. In the default asynchronous mode the next cycle
# starts on time whether or not a client finished, and a reader still behind
# when its writer fills the next cycle never sees the events of the cycle
# it missed (the server logs "was not finished"). Without real-time rights,
# on a machine saturated by builds and tests, that lost several events a
# minute. A late cycle now only comes late. A client that takes longer than
# the timeout (-t, in ms) still loses its cycle; the latest cycle seen on a
# saturated machine was 50 ms late. A client that dies without closing holds
# every other one for about ten times the timeout, so it is not longer.
#
#   jackd-fixture.sh start|stop <server name> <state folder>
#
# start: stops a server this script left running before (an aborted run),
# then starts one and waits until it answers. When a server of that name runs
# that this script did not start, that one is used and left alone.
# stop: stops the server that start started.
set -euo pipefail

action=${1:?start or stop}
name=${2:?server name}
state=${3:?state folder}
pidfile=$state/jackd.pid
log=$state/jackd.log

export JACK_DEFAULT_SERVER=$name
# jackd2 would otherwise ask D-Bus for the (non-existent) sound card.
export JACK_NO_AUDIO_RESERVATION=1

answers() {
  timeout 5 jack_lsp >/dev/null 2>&1
}

stop_ours() {
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = jackd ]; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

case $action in
start)
  # Without jackd the tests over JACK cannot run: skipped by hand, a failure
  # under tools/run-tests.sh (the tests themselves say so again).
  "$(dirname "$0")/require-tools.sh" jackd jack_lsp || exit $?
  mkdir -p "$state"
  stop_ours
  if answers; then
    echo "JACK server '$name' already runs; using it"
    exit 0
  fi
  setsid jackd --no-realtime --sync --timeout 500 --name "$name" -d dummy -r 48000 -p 256 >"$log" 2>&1 </dev/null &
  echo $! >"$pidfile"
  for _ in $(seq 100); do
    if answers; then
      echo "JACK server '$name' started"
      exit 0
    fi
    if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  echo "JACK server '$name' did not start:" >&2
  cat "$log" >&2
  stop_ours
  exit 1
  ;;
stop)
  stop_ours
  ;;
*)
  echo "usage: $0 start|stop <server name> <state folder>" >&2
  exit 2
  ;;
esac
