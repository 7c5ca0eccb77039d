#!/usr/bin/env python3
"""Reads screenshots of the play field for the end-to-end tests.

A screenshot is the 400 x 360 play field cut out of the screen as a binary PPM (P6), so its
pixel (x, y) is the field's pixel (x, y). The vessel and the shells are found by the exact
colours of their pictures, which nothing else on the board uses: the board is composed by AND/OR
transfers of hard-edged pictures, so every drawing pixel reaches the screen with its own colour.

On a screen with FIELD_SCALE device pixels per board pixel (QT_SCALE_FACTOR), a screenshot is the
field at that size; board pixel i spans device pixels [i * scale, (i + 1) * scale) of each axis.
The commands read each board pixel from a device pixel lying wholly inside it (every board pixel
has one at the scales 1.5, 2 and 3), so they still speak in board coordinates.

Commands (each prints its answer on stdout):
  vessel SHOT          "<left edge> left|right", or "none"
  shells SHOT          one line "<x> <y>" per shell in the water (left and top of its ball)
  stock SHOT           the number of shell icons in the stock row
  same SHOT SHOT       exit status 0 when the two shots are identical, else 1 (prints the count
                       of differing pixels)
  background SHOT      per mille of the field's pixels that show exactly the board's background
                       picture, and one pixel that does not ("<x> <y> <shown> <picture>")
  pixel SHOT X Y       the colour of one pixel, as six hex digits
  autorepeat-on        switches the display's key auto-repeat on (like `xset r on`), prints it
  origin SHOT          "<x> <y>": where the field starts in a screenshot of the main window
  scaled SHOT          checks a scaled field: every board pixel covers the same area, and the
                       status lines are drawn at the screen's resolution (see check_scaled)
Standard library only.
"""
import array
import ctypes
import math
import os
import pathlib
import struct
import sys
import traceback
import zlib

PICTURES = pathlib.Path(__file__).resolve().parents[2] / "assets" / "pictures"

FIELD_WIDTH = 400
FIELD_HEIGHT = 360
VESSEL_TOP = 104
VESSEL_ROWS = 15  # the bottom rows of the vessel's pictures never show
STOCK_ROWS = 15  # the stock icons stand in rows 5..10; shells in the water are below
WHITE = 0xFFFFFF
BLACK = 0x000000
SCALE = float(os.environ.get("FIELD_SCALE") or 1)
# The status lines stay inside this corner of the board (board pixels, width and height).
TEXT_CORNER = (210, 126)
TEXT_COLOUR = (192, 0, 192)


class Picture:
    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # 0xRRGGBB, row by row

    def at(self, x, y):
        return self.pixels[y * self.width + x]


def _rgb_ints(data, count, step=3):
    # Byte slicing and one array conversion run at C speed: a screenshot is read in milliseconds,
    # which keeps the waits of the tests short on a busy machine.
    wide = bytearray(4 * count)
    for channel in range(3):
        wide[channel + 1 :: 4] = data[channel : count * step : step]
    words = array.array("I", bytes(wide))
    if sys.byteorder == "little":
        words.byteswap()
    return words.tolist()


def read_ppm(path):
    data = pathlib.Path(path).read_bytes()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1  # one whitespace byte ends the header
    magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
    if magic != b"P6" or maxval != 255:
        raise ValueError(f"{path}: not an 8-bit binary PPM")
    return Picture(width, height, _rgb_ints(data[pos:], width * height))


def own_device_pixel(i, scale):
    """A device index lying wholly inside board pixel i of a scaled axis, or None."""
    j = math.ceil(i * scale - 1e-9)
    return j if j + 1 <= (i + 1) * scale + 1e-9 else None


def board_of(shot, scale):
    """The 400 x 360 board read back from a screenshot of the field at `scale`."""
    columns = [own_device_pixel(i, scale) for i in range(FIELD_WIDTH)]
    rows = [own_device_pixel(i, scale) for i in range(FIELD_HEIGHT)]
    if None in columns or None in rows:
        raise SystemExit(f"at scale {scale} some board pixels have no device pixel of their own")
    return Picture(FIELD_WIDTH, FIELD_HEIGHT, [shot.at(x, y) for y in rows for x in columns])


def read_field(path):
    shot = read_ppm(path)
    return shot if SCALE == 1 else board_of(shot, SCALE)


def shares(board_pixels, device_pixels, scale):
    """Per device pixel of an axis, the board pixels it overlaps with the share of each."""
    out = []
    for j in range(device_pixels):
        start, end = j / scale, (j + 1) / scale
        i = max(0, math.floor(start + 1e-9))
        parts = []
        while i < min(end - 1e-9, board_pixels):
            parts.append((i, (min(end, i + 1) - max(start, i)) * scale))
            i += 1
        out.append(parts)
    return out


def channels(colour):
    return (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF


def resampled(board, shot):
    """Compares each device pixel of `shot` with the mix by area of the board pixels it covers:
    yields (x, y, covered board pixels, largest channel difference)."""
    across = shares(board.width, shot.width, SCALE)
    down = shares(board.height, shot.height, SCALE)
    for y, rows in enumerate(down):
        for x, cols in enumerate(across):
            mix = [0.0, 0.0, 0.0]
            for by, wy in rows:
                for bx, wx in cols:
                    for c, v in enumerate(channels(board.at(bx, by))):
                        mix[c] += v * wx * wy
            seen = channels(shot.at(x, y))
            yield x, y, [(bx, by) for by, _ in rows for bx, _ in cols], max(
                abs(seen[c] - mix[c]) for c in range(3)
            )


def check_scaled(shot):
    """Checks a screenshot of the field at FIELD_SCALE; prints what it found, returns 0 if good.

    Even: outside the status lines every device pixel must show the mix by area of the board
    pixels it covers (to 3 levels), so each board pixel covers the same area, smoothed only where
    a device pixel straddles two of them. A column shown twice beside one shown once fails
    wherever neighbouring board pixels differ; at fractional scales enough device pixels must
    straddle differing board pixels for this to mean something.

    Sharp: inside the status lines the letters must be drawn at the screen's resolution: many
    device pixels that no picture made of board pixels explains (at 2x, 2 x 2 blocks that are
    not of one colour), and the text colour present."""
    board = board_of(shot, SCALE)
    checked = straddling = finer = lettered = 0
    wrong = []
    for x, y, covered, difference in resampled(board, shot):
        corner = [bx < TEXT_CORNER[0] and by < TEXT_CORNER[1] for bx, by in covered]
        if all(corner):
            finer += difference > 48
            seen = channels(shot.at(x, y))
            lettered += max(abs(a - b) for a, b in zip(seen, TEXT_COLOUR)) <= 48
        if any(corner):
            continue
        checked += 1
        colours = [channels(board.at(bx, by)) for bx, by in covered]
        if any(max(abs(a - b) for a, b in zip(colours[0], c)) > 24 for c in colours[1:]):
            straddling += 1
        if difference > 3:
            wrong.append((x, y, round(difference)))
    print(f"even: {checked} device pixels checked, {straddling} straddle differing board "
          f"pixels, {len(wrong)} wrong {wrong[:5]}")
    print(f"sharp: {finer} device pixels finer than a board pixel, {lettered} in the text colour")
    edges_needed = 0 if SCALE == round(SCALE) else 2000
    even = checked > 100000 and straddling >= edges_needed and not wrong
    sharp = finer >= 300 and lettered >= 150
    return 0 if even and sharp else 1


def field_origin(window):
    """Where the field starts in a screenshot of the main window: inside the board's sunken
    border, which stands on the window's black background."""
    y = window.height // 2
    x = 0
    while x < window.width and window.at(x, y) == BLACK:
        x += 1
    if x == window.width:
        raise SystemExit("no board in this screenshot")
    border, edge = window.at(x, y), x
    while window.at(x, y) == border:
        x += 1
    top = y
    while top > 0 and window.at(edge, top - 1) == border:
        top -= 1
    while window.at(x, top) == border:
        top += 1
    return x, top


def read_png(path):
    """8-bit RGB or RGBA, not interlaced: what the picture generator writes. Decoding in Python
    takes seconds for the board's background, so each picture is decoded once and kept, by name,
    size and time, in a cache folder shared by the tests (FIELD_CACHE, or one in /tmp)."""
    stat = os.stat(path)
    cache = pathlib.Path(
        os.environ.get("FIELD_CACHE") or f"/tmp/kelvarn-field-cache-{os.getuid()}"
    )
    key = cache / f"{pathlib.Path(path).name}-{stat.st_size}-{stat.st_mtime_ns}.rgb"
    try:
        data = key.read_bytes()
        (width,) = struct.unpack("<I", data[:4])
        count = (len(data) - 4) // 3
        if width > 0 and count % width == 0:
            return Picture(width, count // width, _rgb_ints(data[4:], count))
    except (OSError, struct.error):
        pass
    picture = decode_png(path)
    try:
        cache.mkdir(mode=0o700, exist_ok=True)
        packed = b"".join(p.to_bytes(3, "big") for p in picture.pixels)
        temporary = key.with_suffix(f".{os.getpid()}")
        temporary.write_bytes(struct.pack("<I", picture.width) + packed)
        os.replace(temporary, key)
    except OSError:
        pass  # no cache: the next call decodes again
    return picture


def decode_png(path):
    data = pathlib.Path(path).read_bytes()
    pos = 8
    idat = b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind = data[pos + 4 : pos + 8]
        chunk = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunk)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(f"{path}: unsupported PNG layout")
        elif kind == b"IDAT":
            idat += chunk
    bpp = 3 if colour == 2 else 4
    stride = width * bpp
    raw = zlib.decompress(idat)
    out = bytearray()
    prev = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        out += line
        prev = line
    return Picture(width, height, _rgb_ints(out, width * height, bpp))


def drawing(picture, ground, rows=None):
    """The (dx, dy, colour) of every pixel of a picture that is not its ground colour."""
    rows = picture.height if rows is None else min(rows, picture.height)
    return [
        (x, y, picture.at(x, y))
        for y in range(rows)
        for x in range(picture.width)
        if picture.at(x, y) != ground
    ]


def find_vessel(shot):
    templates = {
        "left": drawing(read_png(PICTURES / "sss.png"), WHITE, VESSEL_ROWS),
        "right": drawing(read_png(PICTURES / "ss.png"), WHITE, VESSEL_ROWS),
    }
    palette = {colour for cells in templates.values() for _, _, colour in cells}
    columns = [
        x
        for y in range(VESSEL_TOP, VESSEL_TOP + VESSEL_ROWS)
        for x in range(shot.width)
        if shot.at(x, y) in palette
    ]
    if not columns:
        return None
    best = (0.0, None, None)
    for facing, cells in templates.items():
        for left in range(max(0, min(columns) - 49), min(max(columns), shot.width - 1) + 1):
            matched = sum(
                1
                for dx, dy, colour in cells
                if left + dx < shot.width and shot.at(left + dx, VESSEL_TOP + dy) == colour
            )
            share = matched / len(cells)
            if share > best[0]:
                best = (share, left, facing)
    # A bomb passing in front hides a few pixels; anything less is not the vessel.
    return best[1:] if best[0] >= 0.9 else None


def shell_blobs(shot, top, bottom):
    """Groups of touching shell-coloured pixels in rows top..bottom-1, as (left, top) corners."""
    palette = {colour for _, _, colour in drawing(read_png(PICTURES / "bbb.png"), BLACK)}
    seen = set()
    blobs = []
    for y in range(top, bottom):
        if palette.isdisjoint(shot.pixels[y * shot.width : (y + 1) * shot.width]):
            continue
        for x in range(shot.width):
            if (x, y) in seen or shot.at(x, y) not in palette:
                continue
            stack = [(x, y)]
            seen.add((x, y))
            cells = []
            while stack:
                cx, cy = stack.pop()
                cells.append((cx, cy))
                for nx in (cx - 1, cx, cx + 1):
                    for ny in (cy - 1, cy, cy + 1):
                        if (
                            0 <= nx < shot.width
                            and top <= ny < bottom
                            and (nx, ny) not in seen
                            and shot.at(nx, ny) in palette
                        ):
                            seen.add((nx, ny))
                            stack.append((nx, ny))
            blobs.append((min(c[0] for c in cells), min(c[1] for c in cells)))
    return sorted(blobs)


def autorepeat_on():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XAutoRepeatOn.argtypes = [ctypes.c_void_p]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class KeyboardState(ctypes.Structure):
        _fields_ = [
            ("key_click_percent", ctypes.c_int),
            ("bell_percent", ctypes.c_int),
            ("bell_pitch", ctypes.c_uint),
            ("bell_duration", ctypes.c_uint),
            ("led_mask", ctypes.c_ulong),
            ("global_auto_repeat", ctypes.c_int),
            ("auto_repeats", ctypes.c_char * 32),
        ]

    x11.XGetKeyboardControl.argtypes = [ctypes.c_void_p, ctypes.POINTER(KeyboardState)]
    display = x11.XOpenDisplay(None)
    if not display:
        raise SystemExit("cannot open the display")
    x11.XAutoRepeatOn(display)
    x11.XSync(display, 0)
    state = KeyboardState()
    x11.XGetKeyboardControl(display, ctypes.byref(state))
    x11.XCloseDisplay(display)
    return bool(state.global_auto_repeat)


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "vessel" and len(argv) == 3:
        found = find_vessel(read_field(argv[2]))
        print("none" if found is None else f"{found[0]} {found[1]}")
    elif command == "shells" and len(argv) == 3:
        for x, y in shell_blobs(read_field(argv[2]), STOCK_ROWS, FIELD_HEIGHT):
            print(x, y)
    elif command == "stock" and len(argv) == 3:
        print(len(shell_blobs(read_field(argv[2]), 0, STOCK_ROWS)))
    elif command == "same" and len(argv) == 4:
        a, b = read_ppm(argv[2]), read_ppm(argv[3])
        if (a.width, a.height) != (b.width, b.height):
            print("sizes differ")
            return 1
        differing = sum(1 for p, q in zip(a.pixels, b.pixels) if p != q)
        print(differing)
        return 0 if differing == 0 else 1
    elif command == "origin" and len(argv) == 3:
        print(*field_origin(read_ppm(argv[2])))
    elif command == "scaled" and len(argv) == 3:
        return check_scaled(read_ppm(argv[2]))
    elif command == "background" and len(argv) == 3:
        shot = read_ppm(argv[2])
        picture = read_png(PICTURES / "MainBoard.png")
        differing = [
            (x, y)
            for y in range(FIELD_HEIGHT)
            for x in range(FIELD_WIDTH)
            if shot.at(x, y) != picture.at(x, y)
        ]
        print((FIELD_WIDTH * FIELD_HEIGHT - len(differing)) * 1000 // (FIELD_WIDTH * FIELD_HEIGHT))
        if differing:
            x, y = differing[len(differing) // 2]
            print(f"{x} {y} {shot.at(x, y):06x} {picture.at(x, y):06x}")
    elif command == "pixel" and len(argv) == 5:
        print(f"{read_ppm(argv[2]).at(int(argv[3]), int(argv[4])):06x}")
    elif command == "autorepeat-on" and len(argv) == 2:
        on = autorepeat_on()
        print("on" if on else "off")
        return 0 if on else 1
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    try:
        status = main(sys.argv)
    except Exception:  # an unreadable screenshot or a fault here: neither yes nor no
        traceback.print_exc()
        status = 3
    sys.exit(status)
