#!/usr/bin/env bash
# Installs the Debian packages Kelvarn needs that are missing: `run` for building and playing,
# `test` for that plus the test tools (virtual display, key events, screenshots, desktop-file
# checks, a sound server to record). The game's sound goes through Qt Multimedia's own PulseAudio
# output (libpulse0); on a desktop, PulseAudio or PipeWire's pulse server answers it. As root it
# runs apt-get itself; otherwise it prints the command to run.
set -euo pipefail

run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
  libpulse0
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-arphic-uming fonts-dejavu-core
)
test_packages=(
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream clang-tidy
  pulseaudio pulseaudio-utils
)

packages=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "Kelvarn needs these Debian packages; install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
