# Running a test as an ordinary user. Root ignores file modes, and sway and PulseAudio refuse to
# run as root, so such tests run as the user `kelvarn-player`, created here the first time. A test
# that is not root already runs as itself. Source this file, then:
#   player_init            make sure the user exists; sets PLAYER_USER and PLAYER_HOME
#   player_dir PATH...     create folders that the player owns
#   player_run CMD ARG...  run a command as the player, with the caller's environment except
#                          HOME, USER, LOGNAME and XDG_RUNTIME_DIR, which are the player's own
PLAYER_USER=
PLAYER_HOME=

player_init() {
    if [ "$(id -u)" -ne 0 ]; then
        PLAYER_USER=$(id -un)
        PLAYER_HOME=$HOME
        return 0
    fi
    PLAYER_USER=kelvarn-player
    if ! getent passwd "$PLAYER_USER" >/dev/null; then
        useradd --create-home --shell /bin/sh "$PLAYER_USER" 2>/dev/null ||
            getent passwd "$PLAYER_USER" >/dev/null ||
            { echo "cannot create the user $PLAYER_USER" >&2; return 1; }
    fi
    PLAYER_HOME=$(getent passwd "$PLAYER_USER" | cut -d: -f6)
    mkdir -p "$PLAYER_HOME"
    chown "$PLAYER_USER": "$PLAYER_HOME"
}

player_dir() {
    mkdir -p "$@"
    if [ "$(id -u)" -eq 0 ]; then chown "$PLAYER_USER": "$@"; fi
}

# The runtime folder is a fresh one of the player's for each call of player_runtime_dir; tests
# that start a compositor or sound server keep one for the whole test.
player_runtime_dir() {
    local dir
    dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-runtime.XXXXXX")
    chmod 700 "$dir"
    player_dir "$dir"
    echo "$dir"
}

player_run() {
    local runtime=${PLAYER_RUNTIME_DIR:-${XDG_RUNTIME_DIR:-}}
    if [ "$(id -u)" -ne 0 ]; then
        "$@"
        return
    fi
    HOME=$PLAYER_HOME USER=$PLAYER_USER LOGNAME=$PLAYER_USER XDG_RUNTIME_DIR=$runtime \
        setpriv --reuid="$PLAYER_USER" --regid="$PLAYER_USER" --init-groups -- "$@"
}

# player_prefix: sets PLAYER_PREFIX to what player_run puts before a command, for a command that
# must keep its own process id (to be stopped or waited for): "${PLAYER_PREFIX[@]}" CMD ARG... &
PLAYER_PREFIX=()
player_prefix() {
    local runtime=${PLAYER_RUNTIME_DIR:-${XDG_RUNTIME_DIR:-}}
    if [ "$(id -u)" -ne 0 ]; then
        PLAYER_PREFIX=(env)
        return
    fi
    PLAYER_PREFIX=(env HOME="$PLAYER_HOME" USER="$PLAYER_USER" LOGNAME="$PLAYER_USER"
        XDG_RUNTIME_DIR="$runtime"
        setpriv --reuid="$PLAYER_USER" --regid="$PLAYER_USER" --init-groups --)
}
