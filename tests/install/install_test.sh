#!/usr/bin/env bash
# Installs the built game into a temporary prefix, once directly and once staged with DESTDIR as
# packagers do, and checks that every file lands where the desktop and the game look for it.
# Nothing is started.
# Usage: install_test.sh <build folder> <the built program>
# Exits 77 (skipped) when the program has not been built in that folder.
set -euo pipefail

build=${1:?usage: install_test.sh <build folder> <the built program>}
program=${2:?usage: install_test.sh <build folder> <the built program>}
if [ ! -x "$program" ]; then
  echo "the program is not built in $build; nothing to install"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A PNG's width and height, from its header.
png_size() {
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
  echo "$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
}

check_layout() {
  local root=$1 # the prefix as seen on this machine
  local app=$root/lib/kelvarn

  [ -x "$app/kelvarn" ] && [ -f "$app/kelvarn" ] || fail "$app/kelvarn is not an executable file"
  [ -L "$root/bin/kelvarn" ] || fail "$root/bin/kelvarn is not a symbolic link"
  local target
  target=$(readlink "$root/bin/kelvarn" || true)
  case $target in
  /*) fail "bin/kelvarn points to the absolute path $target; a staged install would break it" ;;
  esac
  [ "$(readlink -f "$root/bin/kelvarn")" = "$(readlink -f "$app/kelvarn")" ] ||
    fail "bin/kelvarn does not lead to lib/kelvarn/kelvarn"

  # The game plays sound/<name>.wav from its own folder.
  for name in Bu put explo hit dea error end; do
    [ -f "$app/sound/$name.wav" ] || fail "sound $name.wav missing beside the program"
  done
  # The score list is made by the game itself, never shipped.
  [ ! -e "$app/data.dat" ] || fail "a data.dat was installed"

  local desktop=$root/share/applications/org.example.Kelvarn.desktop
  [ -f "$desktop" ] || fail "desktop entry missing"
  grep -qx 'Exec=kelvarn' "$desktop" || fail "desktop entry does not start kelvarn"
  grep -qx 'Icon=kelvarn' "$desktop" || fail "desktop entry does not name the icon kelvarn"
  local metainfo=$root/share/metainfo/org.example.Kelvarn.metainfo.xml
  [ -f "$metainfo" ] || fail "AppStream metainfo missing"
  grep -q '<launchable type="desktop-id">org.example.Kelvarn.desktop</launchable>' "$metainfo" ||
    fail "metainfo does not launch the installed desktop entry"

  for size in 16 32 48 64 128 256; do
    local icon=$root/share/icons/hicolor/${size}x${size}/apps/kelvarn.png
    if [ -f "$icon" ]; then
      [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
    else
      fail "icon $icon missing"
    fi
  done
  [ -f "$root/share/doc/kelvarn/LICENSE" ] || fail "LICENSE missing"
  gzip -t "$root/share/man/man6/kelvarn.6.gz" 2>/dev/null || fail "the manual page kelvarn.6.gz is missing or broken"
  [ ! -e "$root/share/lintian" ] || fail "a plain install carries the package's lintian notes"
}

cmake --install "$build" --prefix "$work/prefix" >"$work/direct.log"
check_layout "$work/prefix"

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/staged.log"
check_layout "$work/stage/usr"
if find "$work/stage" -mindepth 1 -maxdepth 1 ! -name usr | grep -q .; then
  fail "the staged install wrote beside usr/: $(find "$work/stage" -mindepth 1 -maxdepth 1 ! -name usr)"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures problem(s) with the installed layout" >&2
  exit 1
fi
echo "installed layout is complete (direct and staged)"
