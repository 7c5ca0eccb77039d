#!/usr/bin/env bash
# The Windows game under Wine without its sound folder plays on in silence: shells are fired
# and the vessel steers, with no box and no end.
source "$(dirname "$0")/lib.sh"
wine_e2e_init "$@"
rm -rf "$PROGRAM_DIR/sound"
wine_e2e_start

read -r x _ <<<"$(e2e_vessel start)"
e2e_focus
xdotool key space keydown Right sleep 0.5 keyup Right
shell_seen() {
    [ -n "$(e2e_field shells "$(e2e_shot fired)")" ]
}
e2e_wait 5 "a shell" shell_seen
read -r restX _ <<<"$(e2e_vessel_at_rest)"
((restX > x)) || e2e_fail "the vessel did not move without sounds ($x, then $restX)"
boxes=$(xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
    xdotool getwindowname "$w"; done | grep -vx 'Kelvarn' || true)
[ -z "$boxes" ] || e2e_fail "windows beside the game: $boxes"
e2e_running || e2e_fail "the game ended without its sounds"
e2e_log "done"
