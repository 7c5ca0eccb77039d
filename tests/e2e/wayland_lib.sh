# shellcheck shell=bash
# The end-to-end helpers of lib.sh on a Wayland desktop instead of an X display: a headless sway
# with a grey desktop (tests/lib/sway.sh), the game on Qt's wayland platform, keys from wtype,
# screenshots from grim. The game and sway run as the ordinary player (sway refuses root). A test
# sources this file, calls `e2e_init "$@"` and `e2e_start`, then uses e2e_vessel, e2e_shot,
# e2e_field, e2e_wait, e2e_has_window as with lib.sh, and wl_keys for keys.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$E2E_DIR/../lib/player.sh"
source "$E2E_DIR/../lib/sway.sh"

KELVARN_JOB=

e2e_init() {
    local program=${1:-}
    if [ -z "$program" ] || [ ! -x "$program" ]; then
        echo "usage: $0 <path of the built kelvarn>" >&2
        exit 2
    fi
    player_init
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-wayland.XXXXXX")
    chmod 755 "$WORK"
    PLAYER_WORK=$WORK/player
    PROGRAM_DIR=$PLAYER_WORK/program
    SHOTS=$PLAYER_WORK/shots
    mkdir -p "$PROGRAM_DIR" "$SHOTS"
    # The build folder may be one the player cannot read: the player gets a copy of its own.
    cp "$program" "$PROGRAM_DIR/kelvarn"
    if [ -d "$(dirname "$program")/sound" ]; then
        cp -r "$(dirname "$program")/sound" "$PROGRAM_DIR/sound"
    fi
    player_dir "$PLAYER_WORK"
    if [ "$(id -u)" -eq 0 ]; then chown -R "$PLAYER_USER": "$PLAYER_WORK"; fi
    unset DISPLAY XAUTHORITY QT_QPA_PLATFORM XDG_SESSION_TYPE XDG_DATA_HOME
    trap e2e_cleanup EXIT
    sway_start "$WORK" || e2e_fail "no compositor"
    # The desktop must not be black: a transparent window would look right on black.
    local corner
    corner=$(e2e_field pixel "$(e2e_grab desktop 0 0 1 1)" 0 0)
    [ "$corner" = 808080 ] || e2e_fail "the desktop is $corner, not grey 808080"
}

e2e_cleanup() {
    local status=$?
    if e2e_running; then
        kill "$KELVARN_PID" 2>/dev/null || true
    fi
    [ -n "$KELVARN_JOB" ] && wait "$KELVARN_JOB" 2>/dev/null || true
    sway_stop
    if [ "$status" -eq 0 ] && [ "$E2E_FAILED" -eq 0 ]; then
        rm -rf "$WORK"
    else
        echo "kept the program folder and the screenshots in $WORK" >&2
    fi
}

# e2e_grab NAME X Y W H: a screenshot of that part of the desktop, SHOTS/NAME.ppm; prints its path.
e2e_grab() {
    local file="$SHOTS/$1.ppm"
    sway_run timeout 10 grim -t ppm -g "$2,$3 ${4}x$5" "$file" || e2e_fail "grim could not take $1"
    echo "$file"
}

e2e_shot() {
    e2e_grab "$1" "$FIELD_X" "$FIELD_Y" 400 360
}

# lib.sh's window look-ups (e2e_has_window, e2e_main_window_found) go through this one.
e2e_window_named() {
    sway_window "$1"
}

# The window that appears takes the keyboard; nothing else is needed.
e2e_focus() {
    :
}

# wl_keys WTYPE-ARGUMENTS...: one wtype call, e.g. a hold: wl_keys -P Right -s 1000 -p Right.
wl_keys() {
    sway_run timeout 30 wtype "$@" || e2e_fail "wtype $* failed"
}

# Ends the running game and starts a fresh one: bombs wear a vessel out within half a minute.
e2e_restart() {
    kill "$KELVARN_PID" 2>/dev/null || true
    wait "$KELVARN_JOB" 2>/dev/null || true
    e2e_start
}

e2e_start() {
    rm -f "$PLAYER_WORK/kelvarn.pid"
    (cd "$PROGRAM_DIR" && QT_QPA_PLATFORM=wayland \
        sway_run sh -c 'echo $$ >"$1"; exec ./kelvarn' _ "$PLAYER_WORK/kelvarn.pid") \
        >"$WORK/kelvarn.log" 2>&1 &
    KELVARN_JOB=$!
    e2e_wait 10 "the program to start" test -s "$PLAYER_WORK/kelvarn.pid"
    KELVARN_PID=$(cat "$PLAYER_WORK/kelvarn.pid")
    e2e_wait 30 "the main window" e2e_main_window_found
    local x y height
    read -r x y _ height <<<"$WINDOW"
    # Below the menu bar the client area is 399 pixels high; the play field sits inside the
    # board's 2-pixel border, whose outer corner is at (8, 8).
    FIELD_X=$((x + 10))
    FIELD_Y=$((y + height - 399 + 10))
    # Before and after the first frame the board is mostly its background picture; a board
    # blended with the desktop would never show the vessel's colours either.
    board_shown() {
        mapfile -t BOARD_BACKGROUND < <(e2e_field background "$(e2e_shot board)")
        ((BOARD_BACKGROUND[0] >= 850))
    }
    local deadline=$((SECONDS + 10))
    until board_shown; do
        ((SECONDS < deadline)) || e2e_fail "the board does not show its picture's colours:" \
            "${BOARD_BACKGROUND[0]} per mille do (x y shown picture: ${BOARD_BACKGROUND[1]:-})"
        sleep 0.2
    done
    e2e_wait 30 "the first frame" e2e_vessel_shown
}
