#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libpng-dev libfreetype-dev libfontconfig1-dev
  fonts-liberation fonts-dejavu-core
  libsdl2-dev libxdamage-dev librtmidi-dev libasound2-dev libjack-jackd2-dev
  jackd2 xvfb xauth xdotool openbox wmctrl xterm
  xdg-utils
  clang-16 libclang-rt-16-dev clang-format-16 clang-tidy-16
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  # jackd2 asks about real-time priority; answer once, without a prompt.
  echo "jackd2 jackd/tweak_rt_limits boolean false" | $sudo debconf-set-selections 2>/dev/null || true
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
