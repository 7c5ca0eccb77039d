#!/usr/bin/env bash
# Sound reaches a real sound server: a PulseAudio daemon of the test's own with a null sink,
# whose monitor is recorded while the game plays, the game and the daemon running as an ordinary
# user (PulseAudio will not run as root). Three runs of the game:
#   1. started with no server: a shot is silent and the console stays quiet; then a server
#      with no output device starts: the same; then the server gets its speaker, and the next
#      shot is heard;
#   2. started with the server there: silence from start-up to the first shot, then each of three
#      shots plays put.wav, whole, within half a second of the release of the space bar; of two
#      shots in quick succession the second starts the sound over;
#   3. started without its sound folder: a shot is silent, and the console stays quiet.
# Nothing else is heard at any time. The game is kept paused but for the moment of each shot, so
# that no bomb and no explosion joins in.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/../lib/player.sh"
e2e_init "$@"

DAEMON_PID=
LISTENER_PID=
sound_cleanup() {
    local status=$?
    for pid in $LISTENER_PID $DAEMON_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    e2e_cleanup "$status"
}
trap sound_cleanup EXIT

# The player owns the work folder, so it can reach the program, and its runtime folder.
player_init
player_dir "$WORK" "$WORK/runtime" "$PROGRAM_DIR"
export PLAYER_RUNTIME_DIR=$WORK/runtime
player_prefix

# Nothing of the machine's sound set-up: no default script, no daemon.conf or client.conf of the
# system or of the player, no autospawn, no session bus.
cat >"$WORK/daemon.conf" <<'EOF'
exit-idle-time = -1
flat-volumes = no
EOF
cat >"$WORK/client.conf" <<'EOF'
autospawn = no
EOF
cat >"$WORK/server.pa" <<'EOF'
load-module module-native-protocol-unix
EOF
export PULSE_CONFIG=$WORK/daemon.conf PULSE_CLIENTCONFIG=$WORK/client.conf
unset PULSE_SERVER PULSE_RUNTIME_PATH DBUS_SESSION_BUS_ADDRESS

# A server with no output device.
start_server() {
    "${PLAYER_PREFIX[@]}" pulseaudio -n -F "$WORK/server.pa" --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no --disable-shm=yes --log-target=stderr >"$WORK/pulseaudio.log" 2>&1 &
    DAEMON_PID=$!
    server_up() {
        kill -0 "$DAEMON_PID" 2>/dev/null ||
            e2e_fail "pulseaudio did not start: $(tail -n 5 "$WORK/pulseaudio.log")"
        player_run pactl info >/dev/null 2>&1
    }
    e2e_wait 10 "the sound server" server_up
}

# The speaker: a null sink, the default one, whose monitor is recorded from here on.
add_speaker() {
    player_run pactl load-module module-null-sink sink_name=speaker >/dev/null
    player_run pactl set-default-sink speaker
    # Everything the speaker plays, as 16-bit mono at 22050 Hz (the rate of the game's files).
    python3 "$E2E_DIR/sound.py" listen "$WORK/heard.raw" "$WORK/heard.times" -- \
        "${PLAYER_PREFIX[@]}" parec --device=speaker.monitor --format=s16le --rate=22050 \
        --channels=1 --latency-msec=10 --raw &
    LISTENER_PID=$!
    recording() { [ -s "$WORK/heard.times" ]; }
    e2e_wait 10 "the recording" recording
}

now() { date +%s.%N; }

# Releases the space bar after a short press; prints the time just before the release.
shoot() {
    xdotool keydown space
    sleep 0.05
    now
    xdotool keyup space
}

stop_game() {
    kill "$KELVARN_PID"
    wait "$KELVARN_PID" 2>/dev/null || true
    KELVARN_PID=
}

console_quiet() {
    [ ! -s "$WORK/kelvarn.log" ] || e2e_fail "$1: kelvarn wrote on the console"
}

# Planes may bomb the vessel from about 2.4 s of play on, and a shell strike a submarine from
# about 2.3 s on. So the game is paused (Ctrl+P) as soon as its window has the keyboard, and
# runs only for the moment of each shot; a sound goes on while the game is paused.
pause() {
    sleep 0.1 # the release of the space bar is handled first
    xdotool key ctrl+p
}
resume() {
    xdotool key ctrl+n
    sleep 0.1 # a key released while the space bar is down fires too
}
# Starts the game as the player and pauses it.
start_game() {
    (cd "$PROGRAM_DIR" && exec "${PLAYER_PREFIX[@]}" ./kelvarn) >"$WORK/kelvarn.log" 2>&1 &
    KELVARN_PID=$!
    e2e_wait 30 "the main window" e2e_main_window_found
    e2e_focus
    pause
}
# A shot from the paused game; prints the time just before the release of the space bar.
paused_shot() {
    resume
    shoot
    pause
}

# 1. No server yet.
start_game
events=("$(paused_shot) silent")
sleep 0.3
e2e_running || e2e_fail "kelvarn ended after a shot without a sound server"
console_quiet "a shot without a sound server"
start_server
paused_shot >/dev/null
sleep 0.3
e2e_running || e2e_fail "kelvarn ended after a shot without an output device"
console_quiet "a shot without an output device"
add_speaker
silent_from=$(now)
sleep 0.3
events+=("$(paused_shot) heard")
sleep 0.6
console_quiet "a server that came late"
stop_game

# 2. The server is there from the start.
start_game
sleep 0.3
for _ in 1 2 3; do
    events+=("$(paused_shot) heard")
    sleep 0.6
done
# Two shots in quick succession (a tenth of a second apart): the sound starts over rather than
# playing twice at once.
resume
events+=("$(shoot) heard")
events+=("$(shoot) again")
pause
sleep 0.6
console_quiet "shots with a sound server"
stop_game

# 3. No sound folder.
mv "$PROGRAM_DIR/sound" "$WORK/sound.away"
start_game
events+=("$(paused_shot) silent")
sleep 0.8
e2e_running || e2e_fail "kelvarn ended after a shot without its sound folder"
console_quiet "a shot without the sound folder"
stop_game
sleep 0.5

e2e_log "checking the recording"
# The first shot went to no server at all: there is no recording of it.
python3 "$E2E_DIR/sound.py" check "$WORK/heard.raw" "$WORK/heard.times" \
    "$E2E_DIR/../../assets/sound/put.wav" "$silent_from" "${events[@]:1}" ||
    e2e_fail "the speaker did not play what the keys asked for"
