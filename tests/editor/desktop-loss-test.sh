#!/usr/bin/env bash
# Patchora and the end of its desktop: without a desktop to reach, or when
# the X server under it ends, the editor must end at once and say so (no
# window-less run, no spinning on a dead connection);
# SIGTERM and SIGINT end it through the normal quit. Needs a virtual X
# server and xdotool (tests/support/require-tools.sh says what is missing).
set -euo pipefail
program=$1
"$(dirname "$0")/../support/require-tools.sh" Xvfb xdotool || exit $?
dir=$(mktemp -d)
server=
editor=
cleanup() {
  [ -n "$editor" ] && kill -9 "$editor" 2>/dev/null || true
  [ -n "$server" ] && kill -9 "$server" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

start_server() {
  # Without -noreset the server starts afresh when its last client leaves,
  # refusing connections meanwhile: the editor, connecting right after the
  # probe below left, would find no desktop.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" 2>/dev/null &
  server=$!
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -1 "$dir/display")"
  # The server names its display as it starts listening; under load its
  # first answer may come later. The editor is started on a desktop that answers.
  for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the X server on $DISPLAY did not answer"
  exit 1
}

start_editor() {
  # With job control a background program keeps SIGINT (a script's
  # background jobs would ignore it otherwise, as a shell's do).
  set -m
  "$program" >"$dir/patchora.log" 2>&1 &
  set +m
  editor=$!
  for _ in $(seq 150); do
    window=$(xdotool search --name "Vesk Kandrel Editor" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no editor window"; cat "$dir/patchora.log"; exit 1; }
  sleep 1
}

# Waits up to $1 tenths of a second for the editor to end; its status in $status.
wait_end() {
  for _ in $(seq "$1"); do
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$editor" 2>/dev/null; then
    return 1
  fi
  status=0
  wait "$editor" || status=$?
  editor=
}

# No desktop answers at the display given: the editor says so and ends with
# a failure, rather than running on with no window anyone can see.
set +e
DISPLAY=:9999 timeout 20 "$program" >"$dir/patchora.log" 2>&1
status=$?
set -e
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
  echo "without a desktop the editor ended with status $status:"
  cat "$dir/patchora.log"
  exit 1
fi
grep -q "The desktop could not be reached" "$dir/patchora.log" || {
  echo "without a desktop the editor did not say why it ended:"
  cat "$dir/patchora.log"
  exit 1
}

# The X server goes away under the running editor.
start_server
start_editor
kill -TERM "$server"
wait "$server" 2>/dev/null || true
server=
if ! wait_end 100; then
  echo "the editor outlived its X server"
  ps -o pid,pcpu,stat,cmd -p "$editor" || true
  cat "$dir/patchora.log"
  exit 1
fi
grep -q "connection to the desktop was lost" "$dir/patchora.log" || {
  echo "the editor did not say why it ended (status $status):"
  cat "$dir/patchora.log"
  exit 1
}

# SIGTERM and SIGINT with the desktop there: the normal quit.
for signal in TERM INT; do
  rm -f "$dir/display"
  start_server
  start_editor
  kill -"$signal" "$editor"
  if ! wait_end 100; then
    echo "SIG$signal did not end the editor"
    cat "$dir/patchora.log"
    exit 1
  fi
  [ "$status" -eq 0 ] || { echo "SIG$signal: status $status"; cat "$dir/patchora.log"; exit 1; }
  kill -TERM "$server"
  wait "$server" 2>/dev/null || true
  server=
done
echo "Patchora ended with its X server and on SIGTERM and SIGINT"
