#!/usr/bin/env bash
# A FIFO named data.dat (a list that cannot be read): the game starts without waiting on it, says
# so in one box titled like its other boxes before the main window opens, plays on, and at the
# exit keeps the list in the user's data folder, leaving the FIFO alone.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

mkfifo "$PROGRAM_DIR/data.dat"
(cd "$PROGRAM_DIR" && exec ./kelvarn) >"$WORK/kelvarn.log" 2>&1 &
KELVARN_PID=$!
# The box has the main window's title but is far smaller, and comes first.
e2e_wait 30 "the box about the list" e2e_main_window_found
height=$(xdotool getwindowgeometry --shell "$WINDOW" | sed -n 's/^HEIGHT=//p')
((height < 300)) || e2e_fail "the main window opened before any box about the list"
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
xdotool key Return

box_gone_and_main_window_up() {
    e2e_main_window_found || return 1
    local h
    h=$(xdotool getwindowgeometry --shell "$WINDOW" | sed -n 's/^HEIGHT=//p')
    ((h >= 300))
}
e2e_wait 30 "the main window" box_gone_and_main_window_up

e2e_quit_declining_a_record y
[ -p "$PROGRAM_DIR/data.dat" ] || e2e_fail "data.dat is no longer the FIFO it was"
saved=("$HOME"/.local/share/Kelvarn/Kelvarn/data-*.dat)
[ "${#saved[@]}" = 1 ] && [ "$(stat -c %s "${saved[0]}")" = 540 ] ||
    e2e_fail "no 540-byte list in the user's data folder: $(ls -la "$HOME/.local/share/Kelvarn/Kelvarn" 2>&1)"
