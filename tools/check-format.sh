#!/usr/bin/env bash
# Checks (or, with --fix, applies) the house format: clang-format-16 with the
# repository's .clang-format over every C++ source, or over the files named.
#
#   tools/check-format.sh [--fix] [file ...]
#
# Lists each file that differs and exits non-zero when any does.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
fix=0
if [ "${1:-}" = "--fix" ]; then
  fix=1
  shift
fi
format=$(command -v clang-format-16 || true)
if [ -z "$format" ]; then
  echo "clang-format-16 is missing (tools/setup.sh installs it)" >&2
  exit 1
fi
if (($#)); then
  files=("$@")
else
  cd "$top"
  mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' 2>/dev/null ||
    find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
style="--style=file:$top/.clang-format"
if ((fix)); then
  printf '%s\0' "${files[@]}" | xargs -0 -r -n 64 -P "$(nproc)" "$format" "$style" -i
  exit 0
fi
# Batches in parallel; clang-format names each file that differs.
printf '%s\0' "${files[@]}" | xargs -0 -r -n 64 -P "$(nproc)" "$format" "$style" --dry-run -Werror --ferror-limit=1 || {
  echo "Some files are not formatted: run tools/check-format.sh --fix (or make format)." >&2
  exit 1
}
