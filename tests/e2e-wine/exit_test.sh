#!/usr/bin/env bash
# Leaving the Windows game under Wine: Del asks "退出" and Yes ends the program with a prepared
# data.dat unchanged byte for byte (a record offered on the way is declined); a record entered
# after the exit hand-off lands at its place, the places below it move down one, and the list
# window's "退出" ends the program.
source "$(dirname "$0")/lib.sh"
wine_e2e_init "$@"

# Three places no score can pass, seven that any score but 0 passes: a record lands at place 4.
python3 - "$PROGRAM_DIR/data.dat" "$WORK/prepared.dat" <<'PY'
import struct, sys

def text(value):
    raw = value.encode("gbk")
    return struct.pack("<H", len(raw)) + raw.ljust(16, b"\0")

def place(name, score, date):
    return text(name) + struct.pack("<i", score).ljust(18, b"\0") + text(date)

data = b"".join(place(n, 2147483647, "2024/5/17") for n in ("海军上将击沉潜艇", "abc", "舰长"))
data += b"".join(place(f"第{k}名", -1000000 - k, f"2020/1/{k}") for k in range(4, 11))
assert len(data) == 540
for path in sys.argv[1:]:
    open(path, "wb").write(data)
PY

e2e_log "1. Del and Yes"
wine_e2e_start
cmp -s "$PROGRAM_DIR/data.dat" "$WORK/prepared.dat" || e2e_fail "the start changed data.dat"
wine_quit
cmp "$PROGRAM_DIR/data.dat" "$WORK/prepared.dat" >&2 || e2e_fail "data.dat changed on the way out"

e2e_log "2. a record entered after the exit hand-off"
wine_e2e_start
xdotool key space # a shell costs points: the score is no longer 0
sleep 0.5
e2e_focus
xdotool key Delete
wine_answer 退出 y
wine_answer '新的最高分 第4名' y
e2e_wait 10 "the name box" e2e_has_window '最高分:第 4名'
xdotool windowfocus --sync "$(e2e_window_named '最高分:第 4名')" type --delay 50 Wine
xdotool key Return
e2e_wait 10 "the list window" e2e_has_window '英雄榜 3.0'
e2e_running || e2e_fail "the program ended when the list window opened"
main_gone() {
    ! e2e_has_window Kelvarn
}
e2e_wait 5 "the main window to close" main_gone
wine_answer '英雄榜 3.0' Return
wine_answer 退出 Return
e2e_wait 15 "the program to end" eval '! e2e_running'
[ -z "$(find "$PROGRAM_DIR" -name 'data.dat?*')" ] || e2e_fail "a temporary file beside data.dat"

python3 - "$PROGRAM_DIR/data.dat" "$WORK/prepared.dat" <<'PY' || e2e_fail "the record is not at its place"
import struct, sys
saved, prepared = (open(p, "rb").read() for p in sys.argv[1:])
assert len(saved) == 540, len(saved)
places = lambda data: [data[i : i + 54] for i in range(0, 540, 54)]
new, old = places(saved), places(prepared)
assert new[:3] == old[:3], "places 1 to 3 changed"
assert new[4:] == old[3:9], "places 4 to 9 did not move down one"
name = new[3][2 : 2 + struct.unpack_from("<H", new[3])[0]]
score = struct.unpack_from("<i", new[3], 18)[0]
print(f"place 4: {name!r} with {score}", file=sys.stderr)
assert name == b"Wine", name
assert score != 0 and score > -1000004, score
PY
e2e_log "done"
