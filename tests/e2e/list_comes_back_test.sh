#!/usr/bin/env bash
# A record won while data.dat is read-only is kept in the user's data folder; once data.dat may be
# written again, the next start puts the record into it at its place and removes the file in the
# user's folder. Run as an ordinary user: root ignores file modes.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/../lib/player.sh"
e2e_init "$@"

player_init
player_dir "$WORK" "$WORK/runtime" "$PROGRAM_DIR" "$WORK/data"
export PLAYER_RUNTIME_DIR=$WORK/runtime
player_prefix

# Place 1 out of reach, places 2 to 10 below the -10 that one shot leaves.
python3 - "$PROGRAM_DIR/data.dat" <<'PY'
import struct, sys

def text(value):
    raw = value.encode("gbk")
    return struct.pack("<H", len(raw)) + raw.ljust(16, b"\0")

places = [("舰长", 5000, "2024/5/17")] + [(f"p{k}", -1000 - k, "2024/5/17") for k in range(2, 11)]
data = b"".join(text(n) + struct.pack("<i", s).ljust(18, b"\0") + text(d) for n, s, d in places)
open(sys.argv[1], "wb").write(data)
PY
chown "$PLAYER_USER": "$PROGRAM_DIR/data.dat" 2>/dev/null || true
chmod 0444 "$PROGRAM_DIR/data.dat"
cp "$PROGRAM_DIR/data.dat" "$WORK/before.dat"

start_game() {
    (cd "$PROGRAM_DIR" && exec "${PLAYER_PREFIX[@]}" env XDG_DATA_HOME="$WORK/data" ./kelvarn) \
        >"$WORK/kelvarn.log" 2>&1 &
    KELVARN_PID=$!
}
main_window_up() {
    e2e_main_window_found || return 1
    local h
    h=$(xdotool getwindowgeometry --shell "$WINDOW" | sed -n 's/^HEIGHT=//p')
    ((h >= 300))
}

# 1. data.dat is read-only: the player is told once, and a record goes to the user's folder.
start_game
e2e_wait 30 "the box about the read-only list" e2e_main_window_found
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
xdotool key Return
e2e_wait 30 "the main window" main_window_up
e2e_focus
xdotool key space # a shot costs 10 points: -10 is a record for place 2
sleep 0.3
e2e_ask_to_quit
xdotool key y
e2e_wait 10 "the new-record question" e2e_has_window '新的最高分 第2名'
xdotool key y
e2e_wait 10 "the name box" e2e_has_window '最高分:第 2名'
xdotool type abc
xdotool key Return
e2e_wait 10 "the high-score window" e2e_has_window '英雄榜 3.0'
xdotool windowfocus --sync "$(e2e_window_named '英雄榜 3.0')"
xdotool key space # its only button: "退出"
e2e_wait 10 "the farewell box" e2e_has_window 退出
xdotool key Return
e2e_wait_for_exit 15
[ "$EXIT_STATUS" = 0 ] || e2e_fail "kelvarn ended with status $EXIT_STATUS"
cmp -s "$PROGRAM_DIR/data.dat" "$WORK/before.dat" || e2e_fail "the read-only data.dat changed"
kept=("$WORK"/data/Kelvarn/Kelvarn/data-*.dat)
[ -f "${kept[0]}" ] || e2e_fail "no list in the user's data folder: $(ls -laR "$WORK/data")"
cp "${kept[0]}" "$WORK/kept.dat"

# 2. data.dat may be written again: the record is in it, at place 2, and the other file is gone.
chmod 0644 "$PROGRAM_DIR/data.dat"
start_game
e2e_wait 30 "the main window" main_window_up
cmp -s "$PROGRAM_DIR/data.dat" "$WORK/kept.dat" || e2e_fail "data.dat is not the merged list"
python3 - "$PROGRAM_DIR/data.dat" <<'PY' || e2e_fail "the record is not at place 2 of data.dat"
import struct, sys
data = open(sys.argv[1], "rb").read()
def text(offset):
    n = struct.unpack_from("<H", data, offset)[0]
    return data[offset + 2:offset + 2 + n].decode("gbk")
names = [text(54 * k) for k in range(10)]
scores = [struct.unpack_from("<i", data, 54 * k + 18)[0] for k in range(10)]
print(list(zip(names, scores)))
assert names[0] == "舰长" and names[1] == "abc" and -1000 < scores[1] < 5000
assert names[2:] == [f"p{k}" for k in range(2, 10)], "the others move one place down"
PY
[ ! -e "${kept[0]}" ] || e2e_fail "the list in the user's data folder is still there"
e2e_focus
e2e_quit_declining_a_record y
