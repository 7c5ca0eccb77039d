#!/usr/bin/env bash
# Installs the Debian packages Kelvarn needs that are missing: `run` for building and playing,
# `package` for that plus the packaging tools (dpkg-shlibdeps, which CPack finds ELF files for with
# `file`, and lintian), `test` for all of it plus the test tools (virtual display, key events,
# screenshots, desktop-file checks, a headless Wayland compositor with its key and screenshot
# tools, a sound server to record), `windows` for cross-building the Windows program and testing
# it under Wine (MinGW-w64, Wine, NSIS, GoogleTest's sources, zip, icoutils for the program icon,
# and a virtual display whose background xsetroot paints). The game's sound goes through Qt Multimedia's own PulseAudio
# output (libpulse0); on a desktop, PulseAudio or PipeWire's pulse server answers it. As root it
# runs apt-get itself; otherwise it prints the command to run.
set -euo pipefail

run_packages=(
  build-essential cmake pkg-config libxcb-xkb-dev libxtst-dev libxdamage-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
  libpulse0
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-arphic-uming fonts-dejavu-core
  qt6-wayland # Qt's wayland platform: the game runs natively on a Wayland desktop
)
package_packages=(
  dpkg-dev file lintian
)
test_packages=(
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream clang-tidy
  python3 sway wtype grim pulseaudio pulseaudio-utils
  ccache # a second `make test` compiles only what changed, in all three builds
)

windows_packages=(
  cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis googletest
  zip icoutils xvfb xauth x11-xserver-utils xdotool imagemagick ccache
)

packages=("${run_packages[@]}")
case ${1:-run} in
package) packages+=("${package_packages[@]}") ;;
test) packages+=("${package_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
windows) packages=("${windows_packages[@]}") ;;
esac

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
