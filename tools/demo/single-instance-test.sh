#!/usr/bin/env bash
# Starts the demo twice: the second start must hand its file (a name with
# blanks, unquoted) to the first copy and end; the first copy opens it.
# Without a display the desktop library's dummy video driver stands in.
set -euo pipefail
demo=$1
dir=$(mktemp -d)
first=
cleanup() {
  if [ -n "$first" ]; then kill "$first" 2>/dev/null || true; wait "$first" 2>/dev/null || true; fi
  rm -rf "$dir"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then export SDL_VIDEODRIVER=dummy; fi
# The desktop libraries keep allocations to the end of the process.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

"$demo" >"$dir/first.log" 2>&1 &
first=$!
for _ in $(seq 100); do
  compgen -G "$XDG_RUNTIME_DIR/torvan-*.sock" >/dev/null && break
  sleep 0.1
done

file="$dir/my patch file.pch"
echo x >"$file"
# Split at its blanks, as an unquoted name reaches a program.
# shellcheck disable=SC2086
timeout 20 "$demo" $file >"$dir/second.log" 2>&1 || { echo "second start failed"; cat "$dir/second.log"; exit 1; }

for _ in $(seq 100); do
  if grep -qxF "Opened $file" "$dir/first.log"; then
    kill -0 "$first" || { echo "first copy ended"; exit 1; }
    echo "the running copy opened $file"
    exit 0
  fi
  sleep 0.1
done
echo "the running copy did not open the file"
cat "$dir/first.log"
exit 1
