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

# hold KEY MS: holds the arrow, taking screenshots as fast as they come, and lets it go; leaves
# "ms screenshot" lines in WORK/KEY.shots.
hold() {
    local key=$1 until=$(($2 * 1000)) i=0 start now
    xdotool keydown "$key"
    start=${EPOCHREALTIME/./}
    now=$start
    while ((now - start < until)); do
        e2e_shot "$key-$i" >/dev/null
        now=${EPOCHREALTIME/./}
        echo "$(((now - start) / 1000)) $SHOTS/$key-$i.ppm"
        i=$((i + 1))
    done >"$WORK/$key.shots"
    xdotool keyup "$key"
}

# positions KEY: "ms x facing" lines of the vessel in the screenshots of hold KEY.
positions() {
    while read -r ms shot; do
        echo "$ms $(e2e_field vessel "$shot")"
    done <"$WORK/$1.shots" >"$WORK/$1"
}

# follows_the_rules START left|right SAMPLES: every position seen lies on the path from START:
# from rest or against the motion an arrow starts at 1.5 pixels a frame, then the velocity grows
# by 1.06 a frame (four decimals, halves to even), up to 6; each position is rounded half to even
# and kept within 0..359. Frames are at least 29 ms apart, so the path is not run ahead of time.
follows_the_rules() {
    python3 - "$@" <<'EOF'
import sys
from decimal import Decimal as D, ROUND_HALF_EVEN


def fail(reason):
    print(reason)
    sys.exit(1)


start, way, samples = int(sys.argv[1]), sys.argv[2], sys.argv[3]
sign = -1 if way == "left" else 1
frame_of, v, x = {start: 0}, D(0), start
for n in range(1, 200):
    if v * sign <= 1:
        v = D("1.5") * sign
    v = max(D(-6), min(D(6), (v * D("1.06")).quantize(D("0.0001"), ROUND_HALF_EVEN)))
    x = min(359, max(0, int((x + v).quantize(D(1), ROUND_HALF_EVEN))))
    frame_of.setdefault(x, n)
seen = []
for line in open(samples):
    ms, at, facing = (line.split() + [""])[:3]
    if at != "none" and int(at) not in frame_of:
        fail(f"at {ms} ms the vessel is at {at}, off the path from {start}")
    if at != "none" and int(at) != start and facing != way:
        fail(f"at {ms} ms the vessel faces {facing}")
    if at != "none":
        seen.append((int(ms), frame_of[int(at)], int(at)))
frames = [n for _, n, _ in seen]
if not frames:
    fail("the vessel was never seen")
if frames != sorted(frames):
    fail(f"the vessel went back on its path: {seen}")
(t0, n0, _), (t1, n1, _) = seen[0], seen[-1]
if n1 - n0 > (t1 - t0) // 29 + 2:
    fail(f"{n1 - n0} frames of the path in {t1 - t0} ms")
speeding = {n for _, n, _ in seen if 1 <= n <= 23}
at_limit = {n for _, n, at in seen if n >= 25 and 0 < at < 359}
if not speeding or len(at_limit) < 2:
    fail(f"not seen both speeding up and at 6 pixels a frame: {seen}")
print(f"{way} from {start}: {len(seen)} positions on the path, frames {n0}..{n1}")
EOF
}

# The screenshots are read only afterwards: the game runs on meanwhile, and bombs keep falling.
e2e_focus
hold Left 2500
# Pushing against the edge at full speed, Right turns the vessel at once: 1.5 again, rightwards.
hold Right 1500
read -r releasedX releasedFacing <<<"$(e2e_vessel right-released)"
read -r restX restFacing <<<"$(e2e_vessel_at_rest)"

positions Left
verdict=$(follows_the_rules 200 left "$WORK/Left") || e2e_fail "holding Left: $verdict"
e2e_log "$verdict"
read -r _ leftX _ <<<"$(tail -n 1 "$WORK/Left")"
[ "$leftX" = 0 ] || e2e_fail "2.5 s of Left left the vessel at $leftX, not at the edge"
positions Right
verdict=$(follows_the_rules 0 right "$WORK/Right") || e2e_fail "holding Right: $verdict"
e2e_log "$verdict"
e2e_log "right released at $releasedX, at rest $restX"
# From full speed the vessel glides about 60 pixels; it is nowhere near the right edge here.
((restX >= releasedX + 8)) || e2e_fail "no glide after the release: $releasedX, then at rest $restX"
((restX < 359)) || e2e_fail "the vessel glided into the edge ($restX)"
[ "$restFacing" = right ] || e2e_fail "at rest the vessel faces $restFacing"
