#!/usr/bin/env python3
"""Prints "<x> <y>": where the play field starts in a screenshot of the Windows game's main window.

The board's sunken edge is two pixels of two colours, so the field is found as the 400 x 360 area
near the end of that edge whose sky (right of the status lines) shows the background picture's
pixels. Uses the Linux end-to-end helpers' field.py.
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
import field  # noqa: E402

window = field.read_ppm(sys.argv[1])
picture = field.read_png(field.PICTURES / "MainBoard.png")
start_x, start_y = field.field_origin(window)
samples = [(x, y) for y in range(2, 100, 7) for x in range(220, 396, 9)]
best = None
for oy in range(max(0, start_y - 3), start_y + 4):
    for ox in range(max(0, start_x - 3), start_x + 4):
        if ox + field.FIELD_WIDTH > window.width or oy + field.FIELD_HEIGHT > window.height:
            continue
        hits = sum(window.at(ox + x, oy + y) == picture.at(x, y) for x, y in samples)
        if best is None or hits > best[0]:
            best = (hits, ox, oy)
if best is None or best[0] < len(samples) // 2:
    raise SystemExit("no board in this screenshot")
print(best[1], best[2])
