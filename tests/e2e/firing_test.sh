#!/usr/bin/env bash
# A tap of the space bar launches one shell, under the middle of the vessel, and
# the shell sinks straight down.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

read -r x _ <<<"$(e2e_vessel before)"
[ "$(e2e_field stock "$SHOTS/before.ppm")" = 6 ] || e2e_fail "the stock does not start with 6 shells"

# Both screenshots first, then the slow look at them: on a loaded machine the shell would
# otherwise sink out of sight in between.
e2e_focus
pressed=$(date +%s%N)
xdotool key space
shell_seen() {
    fired=$(e2e_shot fired)
    firedAt=$(date +%s%N)
    sleep 0.2
    sunk=$(e2e_shot sunk)
    mapfile -t shells < <(e2e_field shells "$fired")
    [ "${#shells[@]}" != 0 ]
}
e2e_wait 5 "the shell" shell_seen

[ "${#shells[@]}" = 1 ] || e2e_fail "a tap of the space bar launched ${#shells[@]} shells: ${shells[*]}"
read -r shellX shellY <<<"${shells[0]}"
# The shell starts at x + 26.5 (the half to the even neighbour), 14 rows below the vessel's top.
middle=$(((x + 26) % 2 == 0 ? x + 26 : x + 27))
e2e_log "vessel at $x; shell at $shellX $shellY"
[ "$shellX" = "$middle" ] || e2e_fail "the shell is at column $shellX, not under the middle ($middle)"
# It starts at row 118 and sinks 2 rows a frame, a frame at most every 29 ms: by the time the
# screenshot was taken it can be no lower than that allows, however slow the machine.
elapsed=$(((firedAt - pressed) / 1000000))
lowest=$((118 + 2 * (elapsed / 29 + 1)))
((shellY >= 118 && shellY <= lowest)) ||
    e2e_fail "the shell is at row $shellY $elapsed ms after the key (it starts at 118, 2 rows a frame)"

mapfile -t later < <(e2e_field shells "$sunk")
[ "${#later[@]}" = 1 ] || e2e_fail "${#later[@]} shells a moment later: ${later[*]}"
read -r sunkX sunkY <<<"${later[0]}"
[ "$sunkX" = "$shellX" ] || e2e_fail "the shell drifted from column $shellX to $sunkX"
((sunkY > shellY)) || e2e_fail "the shell did not sink: row $shellY, then $sunkY"
