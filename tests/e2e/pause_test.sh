#!/usr/bin/env bash
# Ctrl+P freezes the board and takes the keys away: a shell fired during the pause never comes;
# Ctrl+N brings the game back.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

# A sinking shell, so that there is something that must stop and go on again; paused soon after,
# so that it has far to sink after the resume.
e2e_focus
xdotool key space
sleep 0.3
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
[ -n "$pausedY" ] || e2e_fail "no shell on the paused board"

# Resumed by the press of Ctrl+N alone: the space bar pressed during the pause still counts as
# pressed since it was last asked, and the next key release would fire it, after the resume. Until
# then the water holds exactly the shell fired before the pause, sunk on from where it was: read
# from the first screenshot that shows the game moving, before that shell can sink out of sight.
xdotool keydown ctrl keydown n
moved_on() {
    ! e2e_field same "$still" "$(e2e_shot resumed)" >/dev/null
}
e2e_wait 5 "the board to move after Ctrl+N" moved_on
xdotool keyup n keyup ctrl
mapfile -t shells < <(e2e_field shells "$SHOTS/resumed.ppm")
e2e_log "paused shell at $pausedX $pausedY; after the resume: ${shells[*]}"
[ "${#shells[@]}" = 1 ] || e2e_fail "after the resume the water holds ${#shells[@]} shells: ${shells[*]}"
read -r afterX afterY <<<"${shells[0]}"
[ "$afterX" = "$pausedX" ] && ((afterY > pausedY)) ||
    e2e_fail "the shell at $pausedX $pausedY is at $afterX $afterY after the resume"
