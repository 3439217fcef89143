#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy (the naming the code
# keeps) over every library source of a configured build.
#
#   tools/tidy.sh <build folder> [file ...]
#
# Without files, every library's .cpp in the build's compile commands is
# checked (their headers by the header filter); with files, only those.
# Exits non-zero on any finding.
set -euo pipefail
build=${1:?build folder with compile_commands.json}
shift
top=$(cd "$(dirname "$0")/.." && pwd)
tidy=$(command -v clang-tidy-16 || true)
runner=$(command -v run-clang-tidy-16 || true)
if [ -z "$tidy" ] || [ -z "$runner" ]; then
  echo "clang-tidy-16 is missing (tools/setup.sh installs it)" >&2
  exit 1
fi
libraries='platform|framework|synth|patch|panels|modules|moduletypes|editor|dialogs|updater|simulator|programs'
if (($#)); then
  files=("$@")
else
  files=("^$top/($libraries)/.*\\.cpp$")
fi
# The sanitized build's flags are GCC's; clang need not know every one, and
# the compiler's own warnings are the build's business, not this check's.
exec "$runner" -clang-tidy-binary "$tidy" -p "$build" -quiet -j "$(nproc)" \
  -extra-arg=-Wno-unknown-warning-option -extra-arg=-Wno-error "${files[@]}"
