#!/usr/bin/env bash
# Runs one command as the ordinary player inside a headless sway session of its own (grey
# desktop, a virtual keyboard on the seat) with QT_QPA_PLATFORM=wayland, and ends the session
# after it. The benchmarks run themselves and the game on Wayland this way.
#   wayland_session.sh [--copy PATH]... -- COMMAND ARG...
# Every PATH (file or folder) is copied into a folder of the player's, where COMMAND runs: the
# player may not be able to read the build folder. Exits with COMMAND's status.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/player.sh"
source "$here/sway.sh"

copies=()
while [ $# -gt 0 ]; do
    case $1 in
    --copy) copies+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--copy PATH]... -- COMMAND ARG..." >&2; exit 2; }

SWAY_LIFETIME=${SWAY_LIFETIME:-900}
player_init
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-session.XXXXXX")
chmod 755 "$work"
mkdir "$work/run"
for path in "${copies[@]}"; do
    cp -r "$path" "$work/run/"
done
player_dir "$work/run"
if [ "$(id -u)" -eq 0 ]; then chown -R "$PLAYER_USER": "$work/run"; fi
trap 'sway_stop; rm -rf "$work"' EXIT
unset DISPLAY XAUTHORITY XDG_SESSION_TYPE
sway_start "$work"
status=0
(cd "$work/run" && QT_QPA_PLATFORM=wayland sway_run "$@") || status=$?
exit "$status"
