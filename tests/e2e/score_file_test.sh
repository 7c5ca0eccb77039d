#!/usr/bin/env bash
# A hero list written by another copy of the game, with a full-length GBK name, a negative
# score and places out of order, comes through a start and an exit byte for byte.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

python3 - "$PROGRAM_DIR/data.dat" "$WORK/expected.dat" <<'PY'
import struct, sys

def text(value):
    raw = value.encode("gbk")
    assert len(raw) <= 16
    return struct.pack("<H", len(raw)) + raw.ljust(16, b"\0")

def score(value):
    return struct.pack("<i", value).ljust(18, b"\0")

places = [
    ("海军上将击沉潜艇", -50, "2024年5月17日"),  # 16 bytes of name
    ("abc", 1234, "2024/5/17"),
    ("舰长", -2147483648, "1999/12/31"),
    ("0123456789abcdef", 2147483647, "2038/1/19"),
]
data = b"".join(text(n) + score(s) + text(d) for n, s, d in places)
data = data.ljust(540, b"\0")
assert len(data) == 540
for path in sys.argv[1:]:
    open(path, "wb").write(data)
PY

e2e_start
cmp -s "$PROGRAM_DIR/data.dat" "$WORK/expected.dat" || e2e_fail "the start changed data.dat"

e2e_quit_declining_a_record y
cmp "$PROGRAM_DIR/data.dat" "$WORK/expected.dat" >&2 ||
    e2e_fail "data.dat changed on the way through the game"
