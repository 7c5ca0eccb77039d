#!/usr/bin/env bash
# A FIFO named sound/put.wav and a link from sound/hit.wav to /dev/zero: the game opens its window
# and plays as if those sounds were missing, silently, and a shot (which plays "put") neither
# stops nor stalls it.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

rm -f "$PROGRAM_DIR/sound/put.wav" "$PROGRAM_DIR/sound/hit.wav"
mkdir -p "$PROGRAM_DIR/sound"
mkfifo "$PROGRAM_DIR/sound/put.wav"
ln -s /dev/zero "$PROGRAM_DIR/sound/hit.wav"
e2e_start

shell_in_water() {
    [ -n "$(e2e_field shells "$(e2e_shot shell)")" ]
}
xdotool key space
e2e_wait 5 "a shell after the space bar" shell_in_water
[ ! -s "$WORK/kelvarn.log" ] || e2e_fail "kelvarn wrote on the console"
[ -p "$PROGRAM_DIR/sound/put.wav" ] || e2e_fail "the FIFO is no longer there"
e2e_quit_declining_a_record y
