#!/usr/bin/env bash
# Ctrl+P freezes the board and takes the keys away; Ctrl+N brings the game back.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

shell_in_water() {
    [ -n "$(e2e_field shells "$(e2e_shot shell)")" ]
}

# A sinking shell, so that there is something that must stop and go on again.
e2e_focus
xdotool key space
e2e_wait 5 "the shell" shell_in_water

xdotool key ctrl+p
sleep 0.3 # for Ctrl+P to reach the program
frozen=$(e2e_shot frozen)
# Keys do nothing while paused: the space bar fires nothing, the arrows steer nothing.
xdotool key space keydown Left
sleep 0.5
xdotool keyup Left
still=$(e2e_shot still)
e2e_field same "$frozen" "$still" >/dev/null ||
    e2e_fail "the board changed while paused ($(e2e_field same "$frozen" "$still") pixels)"
read -r pausedX pausedY <<<"$(e2e_field shells "$frozen")"
[ -n "$pausedY" ] || e2e_fail "the shell is gone from the paused board"

xdotool key ctrl+n
moved_on() {
    ! e2e_field same "$still" "$(e2e_shot resumed)" >/dev/null
}
e2e_wait 5 "the board to move after Ctrl+N" moved_on
sleep 0.2
mapfile -t shells < <(e2e_field shells "$(e2e_shot after)")
e2e_log "paused shell at $pausedX $pausedY; after the resume: ${shells[*]}"
# A key pressed during the pause still counts as "pressed since the last query" afterwards, so
# the resume may steer or fire once more; the paused shell itself must sink on from where it was.
sankOn=no
for shell in "${shells[@]}"; do
    read -r afterX afterY <<<"$shell"
    if [ "$afterX" = "$pausedX" ] && ((afterY > pausedY)); then
        sankOn=yes
    fi
done
[ "$sankOn" = yes ] || e2e_fail "the shell at $pausedX $pausedY did not sink on after the resume"
