#!/usr/bin/env bash
# On high-density screens (1.5 and 2 device pixels per pixel) every pixel of the board covers the
# same area of the screen, smoothed only where a screen pixel straddles two of them, and the
# status lines are drawn at the screen's own resolution, while the game plays on as usual.
source "$(dirname "$0")/lib.sh"
E2E_SCREEN=2048x1600x24
e2e_init "$@"

for scale in 1.5 2; do
    E2E_SCALE=$scale
    e2e_start # waits for the vessel, found by the exact colours of its picture
    before=$(e2e_shot "before-$scale")
    # A moment of play, so that the picture is brought up to date frame by frame.
    e2e_focus
    xdotool keydown Right sleep 0.5 keyup Right key space
    sleep 0.4
    xdotool key ctrl+p # a board that holds still for the screenshot
    sleep 0.3
    shot=$(e2e_shot "paused-$scale")
    if e2e_field same "$before" "$shot" >/dev/null; then
        e2e_fail "at $scale the board did not change in play"
    fi
    e2e_log "at $scale:"
    e2e_field scaled "$shot" || e2e_fail "at $scale the board is uneven or its letters are not sharp"
    kill "$KELVARN_PID"
    wait "$KELVARN_PID" 2>/dev/null || true
    KELVARN_PID=
done
