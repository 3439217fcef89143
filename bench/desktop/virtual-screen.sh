# Sourced by the desktop measurements: makes `work`, a scratch folder
# removed at exit with the server and any process the caller adds to
# `stop_at_exit`; start_virtual_screen SIZE starts Xvfb on a free display of
# SIZE (e.g. 1280x1024x24), sets `server` to its process and exports DISPLAY.
work=$(mktemp -d)
server=""
stop_at_exit=()
cleanup_virtual_screen() {
  local pid
  for pid in "${stop_at_exit[@]}" $server; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup_virtual_screen EXIT

start_virtual_screen() {
  exec 3<> "$work/display"
  # -noreset: a program connecting as the one before it leaves would find
  # the server starting afresh and refusing it.
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset >/dev/null 2>&1 &
  server=$!
  local display=""
  for _ in $(seq 100); do
    display=$(head -n1 "$work/display" 2>/dev/null || true)
    [ -n "$display" ] && break
    sleep 0.05
  done
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$display"
}
