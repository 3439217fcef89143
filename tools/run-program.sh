#!/usr/bin/env bash
# Starts the editor from a build folder (the framework demo where it was not built).
set -euo pipefail
build=${1:-build/release}
shift || true
for candidate in "$build/editor/Patchora" "$build/tools/torvan-demo"; do
  if [ -x "$candidate" ]; then
    exec "$candidate" "$@"
  fi
done
echo "No program was built in $build." >&2
exit 1
