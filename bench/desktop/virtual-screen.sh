# Sourced by the desktop measurements: start_virtual_screen SIZE starts Xvfb
# on a free display of SIZE (e.g. 1280x1024x24), sets `server` to its process
# and exports DISPLAY. Needs `work`, a scratch folder of the caller's.
start_virtual_screen() {
  exec 3<> "$work/display"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
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
