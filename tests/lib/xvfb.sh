# A virtual X display of a test's own. Source this file, then:
#
#   xvfb_start FOLDER [SCREEN] [FAIL]   starts Xvfb (SCREEN as WIDTHxHEIGHTxDEPTH, 1024x768x24 by
#                                       default), sets XVFB_PID and DISPLAY; FOLDER keeps its log;
#                                       FAIL names the function that reports a failure and exits
#   xvfb_stop                           ends it
#
# Xvfb picks a free display number itself and says which once it listens. It must not reset when
# its last client leaves: a client connecting during the reset fails. It writes nothing to the
# test's output: a server left behind must not hold the pipe that ctest reads.
XVFB_PID=

xvfb_start() {
    local folder=$1 screen=${2:-1024x768x24} fail=${3:-xvfb_fail}
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
        3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local deadline=$((SECONDS + 30))
    until grep -q '^[0-9][0-9]*$' "$folder/display" 2>/dev/null; do
        kill -0 "$XVFB_PID" 2>/dev/null || "$fail" "Xvfb did not start: $(cat "$folder/xvfb.log")"
        ((SECONDS < deadline)) || "$fail" "Xvfb did not come up within 30 s"
        sleep 0.05
    done
    export DISPLAY=":$(cat "$folder/display")"
    unset XAUTHORITY WAYLAND_DISPLAY
}

xvfb_stop() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

xvfb_fail() {
    echo "xvfb.sh: $*" >&2
    exit 1
}
