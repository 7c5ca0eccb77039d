#!/usr/bin/env bash
# The game on a Wayland desktop (Qt's wayland platform on a headless sway with a grey desktop)
# is the game of the X display: the board shows the exact colours of its pictures, not blended
# with the desktop; a held arrow moves the vessel and it glides on after the release; the quit
# question holds the frames, and No plays on; holding the space bar fires one shell, on release.
source "$(dirname "$0")/wayland_lib.sh"
e2e_init "$@"
e2e_start

# Bombs wear an idle vessel out within seconds, so the keys come at once and the screenshots are
# read afterwards, while the quit question holds the frames. Right held for 0.6 s, then Del: the
# question holds the vessel where it was, gliding; after No it glides on.
first=$(e2e_shot first)
wl_keys -P Right -s 600 -p Right -k Delete
e2e_wait 10 "the quit question" e2e_has_window 退出
asked=$(e2e_shot asked)
sleep 0.5
still=$(e2e_shot asked-later)

# Colours: nearly all of the field is the background picture, pixel for pixel (the rest is the
# status text and the sprites).
mapfile -t background < <(e2e_field background "$first")
e2e_log "the field shows the background picture in ${background[0]} per mille of its pixels"
((background[0] >= 850)) ||
    e2e_fail "the board is not the picture's colours (x y shown picture: ${background[1]:-})"

read -r x facing <<<"$(e2e_field vessel "$first")"
read -r askedX askedFacing <<<"$(e2e_field vessel "$asked")"
read -r stillX _ <<<"$(e2e_field vessel "$still")"
[ "$x" = 200 ] || e2e_fail "the vessel starts at $x, not 200"
wl_keys n
question_gone() {
    ! e2e_has_window 退出
}
e2e_wait 10 "the question to close on No" question_gone
e2e_running || e2e_fail "No ended the program"
read -r restX _ <<<"$(e2e_vessel_at_rest)"
e2e_log "start 200 $facing; Right, then the question: at $askedX, still $stillX; after No at rest at $restX"
[ "$askedFacing" = right ] || e2e_fail "after Right the vessel faces $askedFacing"
((askedX >= 215)) || e2e_fail "0.6 s of Right moved the vessel only to $askedX"
[ "$askedX" = "$stillX" ] || e2e_fail "frames ran while the question was open ($askedX, then $stillX)"
((restX >= askedX + 8)) || e2e_fail "no glide after the release and No: $askedX, then at rest $restX"
((restX < 359)) || e2e_fail "the vessel glided into the edge ($restX)"

# A fresh game for the space bar (bombs wear an idle vessel out within seconds): nothing while
# held, the compositor's repeats included; one shell after. The screenshots come first, the
# reading after, so that the game is still young when they are taken.
e2e_restart
sway_run timeout 30 wtype -P space -s 1500 -p space &
space_job=$!
sleep 1.1
held=$(e2e_shot space-held)
wait "$space_job" || e2e_fail "wtype could not hold the space bar"
sleep 0.2
released=$(e2e_shot space-released)
mapfile -t heldShells < <(e2e_field shells "$held")
heldStock=$(e2e_field stock "$held")
mapfile -t shells < <(e2e_field shells "$released")
e2e_log "space held: ${#heldShells[@]} shells, $heldStock in stock; released: shells at ${shells[*]}"
[ "${#heldShells[@]}" = 0 ] && [ "$heldStock" = 6 ] ||
    e2e_fail "holding the space bar fired: shells at ${heldShells[*]}, $heldStock left in stock"
[ "${#shells[@]}" = 1 ] || e2e_fail "letting the space bar go launched ${#shells[@]} shells: ${shells[*]}"
