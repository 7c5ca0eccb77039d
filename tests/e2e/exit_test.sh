#!/usr/bin/env bash
# Del asks "不玩了?": No plays on, Yes (Return) ends the program cleanly and leaves a whole,
# empty hero list in data.dat beside it.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

[ -f "$PROGRAM_DIR/data.dat" ] && [ ! -s "$PROGRAM_DIR/data.dat" ] ||
    e2e_fail "the first start did not leave an empty data.dat"

e2e_ask_to_quit
xdotool key n
question_gone() {
    ! e2e_has_window 退出
}
e2e_wait 10 "the question to close on No" question_gone
e2e_running || e2e_fail "No ended the program"
# Play goes on: the vessel answers the keys again.
e2e_focus
xdotool keydown Right
sleep 0.5
xdotool keyup Right
read -r x _ <<<"$(e2e_vessel_at_rest)"
((x > 200)) || e2e_fail "after No the vessel no longer moves (at $x)"

e2e_ask_to_quit
xdotool key Return
e2e_wait_for_exit 15
[ "$EXIT_STATUS" = 0 ] || e2e_fail "kelvarn ended with status $EXIT_STATUS"
size=$(stat -c %s "$PROGRAM_DIR/data.dat")
[ "$size" = 540 ] || e2e_fail "data.dat is $size bytes, not 540"
cmp -s "$PROGRAM_DIR/data.dat" <(head -c 540 /dev/zero) ||
    e2e_fail "the empty list is not 540 zero bytes: $(od -An -tx1 "$PROGRAM_DIR/data.dat" | head -n 3)"
[ -z "$(find "$PROGRAM_DIR" -name 'data.dat?*')" ] || e2e_fail "a temporary file was left beside data.dat"
