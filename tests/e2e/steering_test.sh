#!/usr/bin/env bash
# The vessel starts at its place facing either way, runs left and right under the arrow keys,
# and glides on after the key is let go.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

read -r x facing <<<"$(e2e_vessel start)"
[ "$x" = 200 ] || e2e_fail "the vessel starts at $x, not 200"
[ "$facing" = left ] || [ "$facing" = right ] || e2e_fail "the vessel faces '$facing'"

# Left for a second, then straight over to the right for a second: the turn is immediate.
e2e_focus
xdotool keydown Left
sleep 1
read -r leftX leftFacing <<<"$(e2e_vessel left-held)"
xdotool keyup Left keydown Right
sleep 1
xdotool keyup Right
read -r releasedX releasedFacing <<<"$(e2e_vessel right-released)"
read -r restX restFacing <<<"$(e2e_vessel_at_rest)"
e2e_log "start 200 $facing, left held $leftX, right released $releasedX, at rest $restX"

[ "$leftFacing" = left ] || e2e_fail "holding Left the vessel faces $leftFacing"
((leftX <= 160)) || e2e_fail "a second of Left moved the vessel only to $leftX"
[ "$releasedFacing" = right ] || e2e_fail "after Right the vessel faces $releasedFacing"
((releasedX >= leftX + 40)) || e2e_fail "a second of Right moved the vessel from $leftX to $releasedX"
# From full speed the vessel glides about 60 pixels; it is nowhere near the right edge here.
((restX >= releasedX + 8)) || e2e_fail "no glide after the release: $releasedX, then at rest $restX"
((restX < 359)) || e2e_fail "the vessel glided into the edge ($restX)"
[ "$restFacing" = right ] || e2e_fail "at rest the vessel faces $restFacing"
