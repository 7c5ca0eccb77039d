# Shared helpers of the end-to-end tests of the Windows game under Wine. They stand on the Linux
# end-to-end helpers (../e2e/lib.sh: the virtual display, screenshots of the play field, field.py)
# and on ../lib/wine.sh (Wine's quiet settings, the prepared prefix KELVARN_WINE_TEMPLATE), and
# give the test a Wine prefix of its own on a display painted blue. A test sources this file, calls `wine_e2e_init "$@"`
# with the built kelvarn.exe as its first argument, then `wine_e2e_start`, and drives the game
# with real key events. One prefix serves all the cases of a test script.
#
#   WINE_AS_PLAYER=1 before wine_e2e_init: Wine, the prefix and the program folder belong to the
#   ordinary user of tests/lib/player.sh, for the cases that need file modes to hold.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/player.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wine.sh"

WINE_RUN=() # what goes before a wine command: nothing, or the switch to the player

# wine_e2e_init EXE: a program folder with EXE as kelvarn.exe (with the sound folder beside EXE,
# if any, and no data.dat), a display of its own and a fresh Wine prefix.
wine_e2e_init() {
    local program=${1:-}
    if [ -z "$program" ] || [ ! -f "$program" ]; then
        echo "usage: $0 <path of the built kelvarn.exe or setup program>" >&2
        exit 2
    fi
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-wine.XXXXXX")
    chmod 755 "$WORK"
    PROGRAM_DIR=$WORK/program
    SHOTS=$WORK/shots
    mkdir -p "$PROGRAM_DIR" "$SHOTS" "$WORK/home"
    cp "$program" "$PROGRAM_DIR/$(basename "$program" | sed 's/^kelvarn$/kelvarn.exe/')"
    if [ -d "$(dirname "$program")/sound" ]; then
        cp -r "$(dirname "$program")/sound" "$PROGRAM_DIR/sound"
    fi
    export HOME=$WORK/home
    unset WAYLAND_DISPLAY
    trap wine_e2e_cleanup EXIT
    if [ "${WINE_AS_PLAYER:-0}" = 1 ]; then
        player_init
        player_dir "$WORK/home" "$WORK/prefix" "$PROGRAM_DIR" "$SHOTS"
        player_prefix
        WINE_RUN=("${PLAYER_PREFIX[@]}")
    fi
    e2e_start_display
    xsetroot -solid "$WINE_ROOT_COLOUR" 2>/dev/null || true
    [ "$(e2e_field autorepeat-on)" = on ] || e2e_fail "cannot switch key auto-repeat on"
    xdotool mousemove 1010 760
    wine_prefix_init
}

# A fresh prefix in the work folder: a copy of the prepared one, or Wine's own start-up now.
wine_prefix_init() {
    wine_quiet_settings
    export WINEPREFIX=$WORK/prefix LANG=C.UTF-8
    local started=$SECONDS
    if [ -n "${KELVARN_WINE_TEMPLATE:-}" ] && [ -f "$KELVARN_WINE_TEMPLATE/system.reg" ]; then
        rm -rf "$WINEPREFIX"
        cp -a "$KELVARN_WINE_TEMPLATE" "$WINEPREFIX"
        # The name of the template's server folder (in /tmp): this prefix gets one of its own.
        rm -f "$WINEPREFIX/wineserver"
        if [ "${WINE_AS_PLAYER:-0}" = 1 ] && [ "$(id -u)" -eq 0 ]; then
            chown -R "$PLAYER_USER": "$WINEPREFIX"
        fi
    else
        wine_as wineboot -i >"$WORK/wineboot.log" 2>&1 ||
            e2e_fail "wineboot failed: $(cat "$WORK/wineboot.log")"
        wine_as bash -c ". '$(dirname "${BASH_SOURCE[0]}")/../lib/wine.sh' && wine_link_cjk_fonts" ||
            e2e_fail "the font links could not be set"
    fi
    wine_as wineserver -w
    e2e_log "Wine prefix ready in $((SECONDS - started)) s"
}

# wine_as COMMAND...: a command of Wine's in the test's prefix, as the test's Wine user.
wine_as() {
    "${WINE_RUN[@]}" "$@"
}

# The prefix's C: drive as a Unix path.
wine_c() {
    echo "$WINEPREFIX/drive_c"
}

wine_e2e_cleanup() {
    local status=$?
    # Every Wine process of the prefix ends before its display goes. The wine server ends them
    # all: a Windows program need not end on SIGTERM, and waiting for it could take for ever.
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wine_as timeout 20 wineserver -k 2>/dev/null || true
        wine_as timeout 20 wineserver -w 2>/dev/null || true
    fi
    if [ -n "$KELVARN_PID" ] && kill -0 "$KELVARN_PID" 2>/dev/null; then
        kill -KILL "$KELVARN_PID" 2>/dev/null || true
        wait "$KELVARN_PID" 2>/dev/null || true
    fi
    KELVARN_PID=
    e2e_cleanup "$status"
}

wine_main_window_found() {
    e2e_running || e2e_fail "kelvarn.exe ended during start-up"
    WINDOW=$(e2e_window_named Kelvarn)
    [ -n "$WINDOW" ]
}

# wine_e2e_start [WINDOWS PATH OF THE PROGRAM]: starts the game (by default kelvarn.exe of the
# program folder, from that folder), waits for its window and its first frame, finds the play
# field on the screen and gives the window the keyboard.
# A shortcut (.lnk) is opened as the desktop would, with `start`; the game is then not our child.
wine_e2e_start() {
    export FIELD_SCALE=1
    if [[ ${1:-} == *.lnk ]]; then
        wine_as wine start "$1" >"$WORK/kelvarn.log" 2>&1 || e2e_fail "start $1 failed"
        e2e_wait 30 "kelvarn.exe to start" wine_find_game
    else
        if [ $# -gt 0 ]; then
            wine_as wine "$1" >"$WORK/kelvarn.log" 2>&1 &
        else
            (cd "$PROGRAM_DIR" && exec "${WINE_RUN[@]}" wine kelvarn.exe) >"$WORK/kelvarn.log" 2>&1 &
        fi
        KELVARN_PID=$!
    fi
    e2e_wait 60 "the main window" wine_main_window_found
    local geometry x y width height
    geometry=$(xdotool getwindowgeometry --shell "$WINDOW")
    x=$(sed -n 's/^X=//p' <<<"$geometry")
    y=$(sed -n 's/^Y=//p' <<<"$geometry")
    width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    FIELD_SIZE=400x360
    e2e_wait 20 "the board" wine_board_shown "$x" "$y" "$width" "$height"
    e2e_focus
    e2e_wait 30 "the first frame" e2e_vessel_shown
}

# Sets FIELD_X and FIELD_Y from a screenshot of the window at X Y WIDTH HEIGHT.
wine_board_shown() {
    local file="$SHOTS/window.ppm" origin
    import -window root -crop "$3x$4+$1+$2" +repage -depth 8 "ppm:$file"
    origin=$(python3 "$(dirname "${BASH_SOURCE[0]}")/board_origin.py" "$file" 2>/dev/null) || return 1
    FIELD_X=$(($1 + ${origin% *}))
    FIELD_Y=$(($2 + ${origin#* }))
}

# wine_pids PATTERN: the Windows processes of this test's prefix whose command line matches
# PATTERN (not the shell script that Debian's `wine` is).
wine_pids() {
    local pid
    for pid in $(pgrep -f "$1"); do
        case $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) in
        /bin/sh\ * | sh\ * | bash\ * | '') continue ;;
        esac
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}

# Sets KELVARN_PID to the running kelvarn.exe of the prefix, if there is one.
wine_find_game() {
    KELVARN_PID=$(wine_pids '[\\/]kelvarn\.exe' | head -n 1)
    [ -n "$KELVARN_PID" ]
}

# wine_answer TITLE KEY...: waits for the box or window titled TITLE (a pattern), gives it the
# keyboard and presses KEY....
wine_answer() {
    local title=$1
    shift
    e2e_wait 10 "the window $title" e2e_has_window "$title"
    xdotool windowfocus --sync "$(e2e_window_named "$title")" 2>/dev/null || true
    sleep 0.3 # a box takes its keys once its dialog loop runs
    xdotool key "$@"
}

# Quits with Del and Yes, declining a record should a bomb have made the score non-zero, and
# waits until the program has ended (with status 0 when it is our child).
wine_quit() {
    e2e_focus
    xdotool key Delete
    wine_answer 退出 y
    E2E_DECLINED=no
    e2e_wait 40 "the program to end" e2e_ended_or_declined
    if wait "$KELVARN_PID" 2>/dev/null; then
        EXIT_STATUS=0
    else
        EXIT_STATUS=$?
        # 127: not our child (started through a shortcut); it has ended all the same.
        [ "$EXIT_STATUS" = 127 ] || e2e_fail "kelvarn.exe ended with status $EXIT_STATUS"
    fi
    KELVARN_PID=
}
