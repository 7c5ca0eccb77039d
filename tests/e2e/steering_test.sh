#!/usr/bin/env bash
# The vessel starts at its place facing either way. Held, an arrow speeds it up frame by frame to
# 6 pixels a frame, on exactly the path the steering rules give; the other arrow turns it at once
# and runs it the same way back; let go, it glides on.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start

read -r x facing <<<"$(e2e_vessel start)"
[ "$x" = 200 ] || e2e_fail "the vessel starts at $x, not 200"
[ "$facing" = left ] || [ "$facing" = right ] || e2e_fail "the vessel faces '$facing'"

# hold KEY MS: holds the arrow for MS milliseconds, taking screenshots as fast as they come;
# leaves "ms screenshot" lines in WORK/KEY.
hold() {
    local i=0 start=${EPOCHREALTIME/./} now=${EPOCHREALTIME/./}
    xdotool keydown "$1"
    while ((now - start < $2 * 1000)); do
        e2e_shot "$1-$i" >/dev/null
        now=${EPOCHREALTIME/./}
        echo "$(((now - start) / 1000)) $SHOTS/$1-$i.ppm"
        i=$((i + 1))
    done >"$WORK/$1"
    xdotool keyup "$1"
}

# follows_the_rules START left|right KEY: every position seen while KEY was held lies on the path
# from START: from rest or against the motion an arrow starts at 1.5 pixels a frame, then the
# velocity grows by 1.06 a frame (four decimals, halves to even), up to 6; each position is
# rounded half to even and kept within 0..359. Frames are at least 29 ms apart, so the path is
# not run ahead of time. Prints where the vessel was last seen, then what was seen.
follows_the_rules() {
    PYTHONPATH=$E2E_DIR python3 - "$1" "$2" "$WORK/$3" <<'PY'
import sys
from decimal import Decimal as D, ROUND_HALF_EVEN
import field

start, way = int(sys.argv[1]), sys.argv[2]
sign = -1 if way == "left" else 1
frame_of, v, x = {start: 0}, D(0), start
for n in range(1, 200):
    if v * sign <= 1:
        v = D("1.5") * sign
    v = max(D(-6), min(D(6), (v * D("1.06")).quantize(D("0.0001"), ROUND_HALF_EVEN)))
    x = min(359, max(0, int((x + v).quantize(D(1), ROUND_HALF_EVEN))))
    frame_of.setdefault(x, n)
seen, fault = [], None
for line in open(sys.argv[3]):
    ms, shot = line.split()
    found = field.find_vessel(field.read_field(shot))
    if found is None:
        continue  # hidden behind a falling bomb, say
    at, facing = found
    if at not in frame_of or (at != start and facing != way):
        fault = fault or f"at {ms} ms the vessel is at {at} facing {facing}, off the path"
    else:
        seen.append((int(ms), frame_of[at], at))
frames = [n for _, n, _ in seen]
if not fault and (not seen or frames != sorted(frames)):
    fault = f"the vessel went back on its path or was never seen: {seen}"
elif not fault and frames[-1] - frames[0] > (seen[-1][0] - seen[0][0]) // 29 + 2:
    fault = f"{frames[-1] - frames[0]} frames of the path in {seen[-1][0] - seen[0][0]} ms"
elif not fault and not ({n for n in frames if 1 <= n <= 23} and
                        len({n for _, n, at in seen if n >= 25 and 0 < at < 359}) >= 2):
    fault = f"not seen both speeding up and at 6 pixels a frame: {seen}"
print(fault or f"{seen[-1][2]}: {len(seen)} positions on the path from {start}, frames {frames}")
sys.exit(1 if fault else 0)
PY
}

# The screenshots are read only afterwards: the game runs on meanwhile, and bombs keep falling.
e2e_focus
hold Left 2500
# Pushing against the edge at full speed, Right turns the vessel at once: 1.5 again, rightwards.
hold Right 1500
read -r releasedX releasedFacing <<<"$(e2e_vessel right-released)"
read -r restX restFacing <<<"$(e2e_vessel_at_rest)"

left=$(follows_the_rules 200 left Left) || e2e_fail "holding Left: $left"
e2e_log "holding Left: $left"
[ "${left%%:*}" = 0 ] || e2e_fail "2.5 s of Left left the vessel at ${left%%:*}, not at the edge"
right=$(follows_the_rules 0 right Right) || e2e_fail "holding Right: $right"
e2e_log "holding Right: $right; released at $releasedX, at rest $restX"
# From full speed the vessel glides about 60 pixels; it is nowhere near the right edge here.
((restX >= releasedX + 8)) || e2e_fail "no glide after the release: $releasedX, then at rest $restX"
((restX < 359)) || e2e_fail "the vessel glided into the edge ($restX)"
[ "$restFacing" = right ] || e2e_fail "at rest the vessel faces $restFacing"
