#!/usr/bin/env bash
# Without a window system to reach (none named, an X display or a Wayland compositor named where
# nothing listens), the program says so in one line on stderr and ends with status 1, at once: no
# abort, no core, no hanging on.
set -euo pipefail
program=${1:?usage: $0 <path of the built kelvarn>}
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-nodisplay.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
: >"$work/runtime/stale-socket" # a name with nothing listening behind it

number=4242
while [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done

failed=0
# expect WHAT GREP-PATTERN NAME=VALUE...: runs the program with only these variables set.
expect() {
    local what=$1 pattern=$2
    shift 2
    local status=0
    env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/runtime" "$@" \
        timeout 20 "$program" >"$work/out" 2>"$work/err" </dev/null || status=$?
    local lines
    lines=$(wc -l <"$work/err")
    if [ "$status" != 1 ] || [ "$lines" != 1 ] || [ -s "$work/out" ] || ! grep -q "$pattern" "$work/err"; then
        echo "FAIL: $what: status $status (1 expected), $lines lines on stderr (1 expected):" >&2
        cat "$work/out" "$work/err" >&2
        failed=1
    else
        echo "$what: $(cat "$work/err")"
    fi
}

expect "nothing named" "no display found"
expect "an X display where none is" "no X display at :$number" DISPLAY=":$number"
expect "Wayland asked for, no compositor" "no Wayland compositor at $work/runtime/wayland-0" \
    QT_QPA_PLATFORM=wayland
expect "Wayland asked for, nothing listening" "no Wayland compositor at $work/runtime/stale-socket" \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=stale-socket
expect "a Wayland session with neither" "no Wayland compositor.*no X display" \
    XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$work/nowhere" DISPLAY=":$number"
exit "$failed"
