#!/usr/bin/env bash
# The game on a Wayland desktop (Qt's wayland platform on a headless sway with a grey desktop)
# is the game of the X display: the board shows the exact colours of its pictures, not blended
# with the desktop; a held arrow moves the vessel and it glides on after the release; holding the
# space bar fires one shell, on release; the quit question holds the frames, and No plays on.
source "$(dirname "$0")/wayland_lib.sh"
e2e_init "$@"
e2e_start

# Colours: nearly all of the field is the background picture, pixel for pixel (the rest is the
# status text and the sprites).
first=$(e2e_shot first)
mapfile -t background < <(e2e_field background "$first")
e2e_log "the field shows the background picture in ${background[0]} per mille of its pixels"
((background[0] >= 850)) ||
    e2e_fail "the board is not the picture's colours (x y shown picture: ${background[1]:-})"

# A held arrow: the vessel moves, then glides on.
read -r x facing <<<"$(e2e_vessel start)"
[ "$x" = 200 ] || e2e_fail "the vessel starts at $x, not 200"
wl_keys -P Right -s 600 -p Right
read -r releasedX releasedFacing <<<"$(e2e_vessel right-released)"
read -r restX _ <<<"$(e2e_vessel_at_rest)"
e2e_log "start 200 $facing, Right released at $releasedX, at rest at $restX"
[ "$releasedFacing" = right ] || e2e_fail "after Right the vessel faces $releasedFacing"
((releasedX >= 215)) || e2e_fail "0.6 s of Right moved the vessel only to $releasedX"
((restX < 359)) || e2e_fail "the vessel glided into the edge ($restX)"
((restX >= releasedX + 8)) || e2e_fail "no glide after the release: $releasedX, then at rest $restX"

# Holding the space bar: nothing while held (the compositor's repeats included), one shell after.
sway_run timeout 30 wtype -P space -s 2000 -p space &
space_job=$!
sleep 1.5
held=$(e2e_shot space-held)
wait "$space_job" || e2e_fail "wtype could not hold the space bar"
mapfile -t shells < <(e2e_field shells "$held")
stock=$(e2e_field stock "$held")
[ "${#shells[@]}" = 0 ] && [ "$stock" = 6 ] ||
    e2e_fail "holding the space bar fired: shells at ${shells[*]}, $stock left in stock"
shell_seen() {
    mapfile -t shells < <(e2e_field shells "$(e2e_shot space-released)")
    [ "${#shells[@]}" != 0 ]
}
e2e_wait 5 "the shell" shell_seen
[ "${#shells[@]}" = 1 ] || e2e_fail "letting the space bar go launched ${#shells[@]} shells: ${shells[*]}"
e2e_log "space held: no shell and 6 in stock; released: one shell at ${shells[0]}"

# The quit question holds the frames: the vessel, sent gliding left, stands still while it is
# open, and glides on after No.
wl_keys -P Left -s 500 -p Left -k Delete
e2e_wait 10 "the quit question" e2e_has_window 退出
read -r askedX _ <<<"$(e2e_vessel asked)"
sleep 0.5
read -r stillX _ <<<"$(e2e_vessel asked-later)"
[ "$askedX" = "$stillX" ] || e2e_fail "frames ran while the question was open ($askedX, then $stillX)"
wl_keys n
question_gone() {
    ! e2e_has_window 退出
}
e2e_wait 10 "the question to close on No" question_gone
e2e_running || e2e_fail "No ended the program"
read -r onX _ <<<"$(e2e_vessel_at_rest)"
e2e_log "asked at $askedX, still at $stillX, after No at rest at $onX"
((onX < askedX)) || e2e_fail "after No the vessel did not glide on ($askedX, then $onX)"
