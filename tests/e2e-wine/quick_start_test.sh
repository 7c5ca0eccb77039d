#!/usr/bin/env bash
# F1 in the Windows game under Wine opens the quick start, "帮助", with its inner area at its
# size, 237 x 204 pixels, and stops the game while it is open.
source "$(dirname "$0")/lib.sh"
wine_e2e_init "$@"
wine_e2e_start

e2e_focus
xdotool key F1
e2e_wait 10 "the quick start" e2e_has_window 帮助
help=$(e2e_window_named 帮助)
size=$(xdotool getwindowgeometry --shell "$help" | sed -n 's/^WIDTH=//p;s/^HEIGHT=//p' | paste -sd x)
e2e_log "the quick start is $size"
[ "$size" = 237x204 ] || e2e_fail "the quick start is $size, not 237x204"
before=$(e2e_shot behind-help)
sleep 0.5
e2e_field same "$before" "$(e2e_shot behind-help-later)" >/dev/null ||
    e2e_fail "the board went on behind the quick start"
e2e_log "done"
