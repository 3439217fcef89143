#!/usr/bin/env bash
# Says whether this machine has what a test needs beyond the build: programs
# on the PATH and, with --jack-server, the tests' JACK server.
#
#   require-tools.sh [--jack-server] PROGRAM...
#
# Exits 0 when everything is there. Otherwise prints what is missing and the
# package that brings it (tools/setup.sh installs them all), and exits
#   77 (skipped, CTest's SKIP_RETURN_CODE) when the tests are run by hand, or
#   1 (failed) under TORVAN_TESTS_REQUIRE_TOOLS=1, which tools/run-tests.sh
#     (and so `make test`) sets: there a machine without the desktop or JACK
#     tools fails instead of passing without those tests.
# The test programs ask it through testsupport::Unavailable, the shell tests
# run it themselves.
set -uo pipefail

declare -A package=(
  [Xvfb]=xvfb [xvfb-run]=xvfb [xauth]=xauth [xdotool]=xdotool [openbox]=openbox [wmctrl]=wmctrl [xterm]=xterm
  [jackd]=jackd2 [jack_lsp]=jackd2
)

missing=()
problems=()
for arg in "$@"; do
  if [ "$arg" = --jack-server ]; then
    # The server runs only where jackd is there to run it.
    if ! command -v jackd >/dev/null 2>&1; then
      missing+=("jackd (package jackd2)")
    elif [ -z "${JACK_DEFAULT_SERVER:-}" ]; then
      problems+=("No JACK server of the tests: JACK_DEFAULT_SERVER is not set (CTest's jack fixture starts the server and sets it).")
    fi
  elif ! command -v "$arg" >/dev/null 2>&1; then
    missing+=("$arg${package[$arg]:+ (package ${package[$arg]})}")
  fi
done
if ((${#missing[@]})); then
  list=$(printf '%s, ' "${missing[@]}")
  problems=("Not installed: ${list%, }; tools/setup.sh installs what is missing." "${problems[@]}")
fi
((${#problems[@]})) || exit 0

if [ "${TORVAN_TESTS_REQUIRE_TOOLS:-0}" = 1 ]; then
  echo "${problems[*]} Every test must run here (TORVAN_TESTS_REQUIRE_TOOLS=1, as tools/run-tests.sh and make test set it)."
  exit 1
fi
echo "${problems[*]} Skipped (tools/run-tests.sh would fail it)."
exit 77
