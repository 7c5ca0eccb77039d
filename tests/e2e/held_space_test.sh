#!/usr/bin/env bash
# Holding the space bar fires nothing, however often the display repeats the key; letting it go
# fires exactly one shell.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

e2e_focus
xdotool keydown space
sleep 2
held=$(e2e_shot held)
xdotool keyup space

mapfile -t shells < <(e2e_field shells "$held")
stock=$(e2e_field stock "$held")
e2e_log "while held: ${#shells[@]} shells in the water, $stock in stock"
[ "${#shells[@]}" = 0 ] && [ "$stock" = 6 ] ||
    e2e_fail "holding the space bar fired: shells at ${shells[*]}, $stock left in stock"
shell_seen() {
    mapfile -t shells < <(e2e_field shells "$(e2e_shot released)")
    [ "${#shells[@]}" != 0 ]
}
e2e_wait 5 "the shell" shell_seen
[ "${#shells[@]}" = 1 ] || e2e_fail "letting the space bar go launched ${#shells[@]} shells: ${shells[*]}"
