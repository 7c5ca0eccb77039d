# shellcheck shell=bash
# A headless Wayland compositor (sway on its headless back end, drawn in software) for tests and
# benchmarks, run as the ordinary player of player.sh: sway refuses to run as root. Its desktop
# is mid-grey, so that a window whose pixels are not opaque shows it. Source player.sh and this
# file, call player_init, then:
#   sway_start FOLDER      start sway (config and log in FOLDER, which the player must read);
#                          exports WAYLAND_DISPLAY and SWAYSOCK. A virtual keyboard of its own
#                          stays on the seat from the start: without one a client starts with no
#                          keyboard, and keys typed later by wtype would never reach it.
#   sway_run CMD ARG...    run a command as the player inside the session
#   sway_window TITLE      "<x> <y> <width> <height>" of the visible window titled TITLE, or nothing
#   sway_stop              stop the keyboard and sway (clients lose their connection and end)
# Every process started here ends on its own after SWAY_LIFETIME seconds (default 170), so that
# nothing outlives a test killed without a chance to clean up.
SWAY_RUNTIME=
SWAY_FOLDER=
SWAY_LIFETIME=${SWAY_LIFETIME:-170}

sway_run() {
    PLAYER_RUNTIME_DIR=$SWAY_RUNTIME WAYLAND_DISPLAY=$WAYLAND_DISPLAY SWAYSOCK=$SWAYSOCK \
        player_run "$@"
}

# sway_pid NAME: the process id in SWAY_RUNTIME/NAME.pid, or nothing.
sway_pid() {
    cat "$SWAY_RUNTIME/$1.pid" 2>/dev/null || true
}

sway_start() {
    SWAY_FOLDER=$1
    SWAY_RUNTIME=$(player_runtime_dir)
    cat >"$SWAY_FOLDER/sway.config" <<'EOF'
xwayland disable
output * bg #808080 solid_color
output * mode 1024x768
default_border none
default_floating_border none
focus_follows_mouse no
EOF
    chmod a+r "$SWAY_FOLDER/sway.config"
    # `timeout` passes a TERM on to sway; the pid file names timeout. Sway must not inherit the
    # session variables of another compositor (an empty SWAYSOCK leaves it without IPC).
    (
        unset WAYLAND_DISPLAY SWAYSOCK
        PLAYER_RUNTIME_DIR=$SWAY_RUNTIME WLR_BACKENDS=headless WLR_RENDERER=pixman \
            WLR_LIBINPUT_NO_DEVICES=1 \
            player_run sh -c 'echo $$ >"$1/sway.pid"; exec timeout "$2" sway -c "$3"' _ \
            "$SWAY_RUNTIME" "$SWAY_LIFETIME" "$SWAY_FOLDER/sway.config"
    ) >"$SWAY_FOLDER/sway.log" 2>&1 &
    local deadline=$((SECONDS + 30)) socket ipc
    while :; do
        socket=$(cd "$SWAY_RUNTIME" && find . -maxdepth 1 -type s -name 'wayland-*' | head -n 1)
        ipc=$(find "$SWAY_RUNTIME" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n 1)
        if [ -n "$socket" ] && [ -n "$ipc" ]; then
            export WAYLAND_DISPLAY=${socket#./} SWAYSOCK=$ipc
            if sway_run timeout 5 swaymsg -t get_outputs 2>/dev/null | grep -q '"active": true'; then
                break
            fi
        fi
        if ((SECONDS >= deadline)); then
            echo "sway did not start within 30 s:" >&2
            cat "$SWAY_FOLDER/sway.log" >&2
            return 1
        fi
        sleep 0.1
    done
    sway_run sh -c 'echo $$ >"$1/keyboard.pid"; exec timeout "$2" wtype -s 600000' _ \
        "$SWAY_RUNTIME" "$SWAY_LIFETIME" >"$SWAY_FOLDER/keyboard.log" 2>&1 &
    deadline=$((SECONDS + 10))
    until [ -s "$SWAY_RUNTIME/keyboard.pid" ]; do
        ((SECONDS < deadline)) || { echo "the virtual keyboard did not start" >&2; return 1; }
        sleep 0.05
    done
    # Give the keyboard time to reach the seat before the first client asks for one.
    sleep 0.3
}

sway_window() {
    sway_run timeout 5 swaymsg -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(node):
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        if child.get("name") == sys.argv[1] and child.get("visible"):
            r = child["rect"]
            print(r["x"], r["y"], r["width"], r["height"])
            raise SystemExit
        walk(child)
walk(json.load(sys.stdin))
' "$1"
}

sway_stop() {
    local name pid
    for name in keyboard sway; do
        pid=$(sway_pid "$name")
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    # They are not our children (player_run ran them): wait until they are gone.
    local deadline=$((SECONDS + 10))
    for name in keyboard sway; do
        pid=$(sway_pid "$name")
        while [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
            sleep 0.05
        done
    done
    [ -n "$SWAY_RUNTIME" ] && rm -rf "$SWAY_RUNTIME"
    SWAY_RUNTIME=
}
