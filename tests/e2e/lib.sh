# Shared helpers of the end-to-end tests. A test sources this file, calls `e2e_init "$@"` with the
# path of the built kelvarn as its first argument, then `e2e_start`, and drives the game with real
# key events on its own virtual display. Screenshots are cut to the 400 x 360 play field, so the
# image helper field.py speaks in play-field coordinates. With E2E_SCALE set (say 1.5) before
# e2e_start, the program runs with that many device pixels per pixel (QT_SCALE_FACTOR) and the
# screenshots are the field at that size; field.py reads them back in board pixels. A test that
# needs a larger screen sets E2E_SCREEN (WIDTHxHEIGHTxDEPTH) before e2e_init.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/../lib/xvfb.sh"
E2E_FAILED=0
KELVARN_PID=
WINDOW=
# e2e_fail inside $(…), <(…) or a pipeline ends only a subshell: it signals the test's own shell,
# which then stops at once (its EXIT trap cleans up), rather than going on with an empty answer.
E2E_SHELL_PID=$BASHPID
trap 'E2E_FAILED=1; exit 1' USR1

# field.py answers yes (0) or no (1); anything else is a broken screenshot or a broken helper.
e2e_field() {
    local status=0
    python3 "$E2E_DIR/field.py" "$@" || status=$?
    ((status <= 1)) || e2e_fail "field.py $1 failed (status $status)"
    return "$status"
}

e2e_log() {
    echo "[$(date +%T.%N | cut -c1-12)] $*"
}

# Copies the program into a fresh program folder (with sound/ and no data.dat) and starts the
# test's own virtual display.
e2e_init() {
    local program=${1:-}
    if [ -z "$program" ] || [ ! -x "$program" ]; then
        echo "usage: $0 <path of the built kelvarn>" >&2
        exit 2
    fi
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-e2e.XXXXXX")
    PROGRAM_DIR=$WORK/program
    SHOTS=$WORK/shots
    mkdir -p "$PROGRAM_DIR" "$SHOTS" "$WORK/home" "$WORK/runtime"
    chmod 700 "$WORK/runtime"
    cp "$program" "$PROGRAM_DIR/kelvarn"
    if [ -d "$(dirname "$program")/sound" ]; then
        cp -r "$(dirname "$program")/sound" "$PROGRAM_DIR/sound"
    fi
    # Nothing of the user's: no list in ~/.local/share, no sound server, the xcb platform.
    export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/runtime
    unset QT_QPA_PLATFORM XDG_DATA_HOME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
    trap e2e_cleanup EXIT
    e2e_start_display

    [ "$(e2e_field autorepeat-on)" = on ] || e2e_fail "cannot switch key auto-repeat on"
    # The pointer stays off the window: no tooltips, no hover feedback.
    xdotool mousemove 1010 760
}

# A display of its own, painted by the test where it matters (never left black).
e2e_start_display() {
    xvfb_start "$WORK" "${E2E_SCREEN:-1024x768x24}" e2e_fail
}

# e2e_cleanup [STATUS]: the test's status, by default that of the command before the call. A
# caller that did work of its own first passes the status on (`(exit N)` would end a shell that
# runs with `set -e` before the clean-up could).
e2e_cleanup() {
    local status=${1:-$?}
    if [ -n "$KELVARN_PID" ] && kill -0 "$KELVARN_PID" 2>/dev/null; then
        kill "$KELVARN_PID" 2>/dev/null || true
        wait "$KELVARN_PID" 2>/dev/null || true
    fi
    xvfb_stop
    if [ "$status" -eq 0 ] && [ "$E2E_FAILED" -eq 0 ]; then
        rm -rf "$WORK"
    else
        echo "kept the program folder and the screenshots in $WORK" >&2
    fi
}

e2e_fail() {
    E2E_FAILED=1
    echo "FAIL: $*" >&2
    if [ -s "$WORK/kelvarn.log" ]; then
        echo "--- kelvarn's output:" >&2
        cat "$WORK/kelvarn.log" >&2
    fi
    [ "$BASHPID" = "$E2E_SHELL_PID" ] || kill -USR1 "$E2E_SHELL_PID"
    exit 1
}

e2e_running() {
    [ -n "$KELVARN_PID" ] && kill -0 "$KELVARN_PID" 2>/dev/null
}

# e2e_wait SECONDS WHAT COMMAND...: runs COMMAND every 0.1 s until it succeeds.
e2e_wait() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@"; do
        if ((SECONDS >= deadline)); then
            e2e_fail "timed out after ${limit} s waiting for $what"
        fi
        sleep 0.1
    done
}

# The id of the visible top-level window with exactly this title, or nothing.
e2e_window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true
}

e2e_has_window() {
    [ -n "$(e2e_window_named "$1")" ]
}

e2e_main_window_found() {
    e2e_running || e2e_fail "kelvarn ended during start-up"
    WINDOW=$(e2e_window_named Kelvarn)
    [ -n "$WINDOW" ]
}

# Starts the program from its folder, waits for its window and for the first frame (the vessel on
# the board), and gives the window the keyboard.
e2e_start() {
    local scale=${E2E_SCALE:-1}
    export FIELD_SCALE=$scale
    if [ "$scale" = 1 ]; then
        (cd "$PROGRAM_DIR" && exec ./kelvarn) >"$WORK/kelvarn.log" 2>&1 &
    else
        (cd "$PROGRAM_DIR" && QT_SCALE_FACTOR=$scale exec ./kelvarn) >"$WORK/kelvarn.log" 2>&1 &
    fi
    KELVARN_PID=$!
    e2e_wait 30 "the main window" e2e_main_window_found
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$WINDOW")
    local x y width height
    x=$(sed -n 's/^X=//p' <<<"$geometry")
    y=$(sed -n 's/^Y=//p' <<<"$geometry")
    width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    if [ "$scale" = 1 ]; then
        # Below the menu bar the client area is 399 pixels high; the play field sits inside the
        # board's 2-pixel border, whose outer corner is at (8, 8).
        FIELD_X=$((x + 10))
        FIELD_Y=$((y + height - 399 + 10))
        FIELD_SIZE=400x360
    else
        # Scaled, the border's edges fall where rounding puts them: find the field in the window.
        e2e_wait 10 "the board" e2e_board_shown "$x" "$y" "$width" "$height"
        FIELD_SIZE=$(python3 -c "print(f'{round(400 * $scale)}x{round(360 * $scale)}')")
    fi
    e2e_focus
    e2e_wait 30 "the first frame" e2e_vessel_shown
}

# Sets FIELD_X and FIELD_Y from a screenshot of the window at X Y WIDTH HEIGHT.
e2e_board_shown() {
    local file="$SHOTS/window.ppm" origin
    import -window root -crop "$3x$4+$1+$2" +repage -depth 8 "ppm:$file" ||
        e2e_fail "cannot take a screenshot of the window"
    # Until the window is drawn the board may not be found at all: no answer yet, not a failure.
    origin=$(python3 "$E2E_DIR/field.py" origin "$file" 2>/dev/null) || return 1
    FIELD_X=$(($1 + ${origin% *}))
    FIELD_Y=$(($2 + ${origin#* }))
}

e2e_focus() {
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || {
        sleep 0.2
        xdotool windowfocus --sync "$WINDOW" || e2e_fail "cannot give the window the keyboard"
    }
}

# e2e_shot NAME: a screenshot of the play field, SHOTS/NAME.ppm; prints its path.
e2e_shot() {
    local file="$SHOTS/$1.ppm"
    import -window root -crop "$FIELD_SIZE+$FIELD_X+$FIELD_Y" +repage -depth 8 "ppm:$file" ||
        e2e_fail "cannot take the screenshot $1"
    echo "$file"
}

# Prints "<left edge> left|right" of the vessel in a new screenshot NAME, or "none".
e2e_vessel() {
    e2e_field vessel "$(e2e_shot "$1")"
}

e2e_vessel_shown() {
    [ "$(e2e_vessel first-frame)" != none ]
}

# Waits until the vessel stands still (two screenshots 0.2 s apart agree) and prints where.
e2e_vessel_at_rest() {
    local previous now
    previous=$(e2e_vessel rest-0)
    local deadline=$((SECONDS + 10))
    while :; do
        sleep 0.2
        now=$(e2e_vessel rest)
        if [ "$now" = "$previous" ]; then
            echo "$now"
            return
        fi
        ((SECONDS < deadline)) || e2e_fail "the vessel never came to rest (last: $now)"
        previous=$now
    done
}

# Waits up to SECONDS for the program to end; sets EXIT_STATUS.
e2e_wait_for_exit() {
    local limit=$1
    local deadline=$((SECONDS + limit))
    while kill -0 "$KELVARN_PID" 2>/dev/null; do
        ((SECONDS < deadline)) || e2e_fail "kelvarn still runs ${limit} s after the exit"
        sleep 0.1
    done
    EXIT_STATUS=0
    wait "$KELVARN_PID" || EXIT_STATUS=$?
    KELVARN_PID=
}

# Asks to quit with Del and waits for the question "不玩了?" (titled "退出").
e2e_ask_to_quit() {
    e2e_focus
    xdotool key Delete
    e2e_wait 10 "the exit question" e2e_has_window 退出
}

# Quits with Del and Yes (KEY answers the question: y, or Return for its default button). Should a
# bomb have made the score non-zero, the game offers the list a place: that is declined. Fails
# unless the program then ends with status 0.
e2e_quit_declining_a_record() {
    e2e_ask_to_quit
    xdotool key "$1"
    E2E_DECLINED=no
    e2e_wait 15 "the program to end" e2e_ended_or_declined
    e2e_wait_for_exit 5
    [ "$EXIT_STATUS" = 0 ] || e2e_fail "kelvarn ended with status $EXIT_STATUS"
}

e2e_ended_or_declined() {
    e2e_running || return 0
    if [ "$E2E_DECLINED" = no ] && [ -n "$(e2e_window_named '新的最高分.*')" ]; then
        xdotool key n
        E2E_DECLINED=yes
    fi
    return 1
}
