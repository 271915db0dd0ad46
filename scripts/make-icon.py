#!/usr/bin/env python3
"""Draws the tool's icon and writes it as resources/tarvik.ico.

One 32 x 32 image with a 256-colour palette and its AND mask: a blue rounded square holding
two white interlocked chain links. Python's standard library only, so that anyone can
redraw the icon; the .ico it writes is committed, and the build does not need Python.

Usage: scripts/make-icon.py [OUTPUT]   (default: resources/tarvik.ico beside this script)
"""

import math
import pathlib
import struct
import sys

SIZE = 32
SAMPLES = 4  # per axis: each pixel's coverage is the mean of 4 x 4 sample points

# The palette is a grid, so every pixel maps to an entry without a quantiser: a few shades of
# the background (a top-to-bottom gradient, and a darker rim), each blended towards white in
# sixteen steps for the antialiased edges of the chain. Entry 0 stays black because
# transparent pixels must XOR the screen with zero.
TOP = (0x4A, 0x9B, 0xF0)
BOTTOM = (0x1A, 0x55, 0xB8)
RIM = (0x12, 0x3F, 0x8C)
WHITE = (0xFF, 0xFF, 0xFF)
GRADIENT_STEPS = 14
WHITE_STEPS = 16
RIM_SHADE = GRADIENT_STEPS

SQUARE_INSET = 1.0
SQUARE_RADIUS = 6.5
RIM_WIDTH = 1.0

LINK_HALF_LENGTH = 3.0  # half the straight part of each link
LINK_OFFSET = 4.0  # distance of each link's centre from the icon's centre
LINK_RADIUS = 4.6  # radius of the link's round ends, at the middle of the stroke
STROKE = 2.6
GAP = 1.2  # the background left around the link that passes over the other


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    colours = [(0, 0, 0)]
    shades = [mix(TOP, BOTTOM, i / (GRADIENT_STEPS - 1)) for i in range(GRADIENT_STEPS)] + [RIM]
    for shade in shades:
        for step in range(WHITE_STEPS):
            colours.append(mix(shade, WHITE, step / (WHITE_STEPS - 1)))
    return colours + [(0, 0, 0)] * (256 - len(colours))


def palette_index(shade, whiteness):
    step = min(WHITE_STEPS - 1, round(whiteness * (WHITE_STEPS - 1)))
    return 1 + shade * WHITE_STEPS + step


def rounded_square_distance(x, y):
    """Signed distance to the rounded square's edge, negative inside."""
    centre = SIZE / 2
    half = centre - SQUARE_INSET - SQUARE_RADIUS
    qx, qy = abs(x - centre) - half, abs(y - centre) - half
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - SQUARE_RADIUS


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


# The links lie along the rising diagonal, one towards the top right, one towards the bottom left.
AXIS = (1 / math.sqrt(2), -1 / math.sqrt(2))


def link_distance(x, y, side):
    """Distance from (x, y) to the middle line of one link's stroke (side +1 or -1)."""
    centre = SIZE / 2
    cx = centre + side * LINK_OFFSET * AXIS[0]
    cy = centre + side * LINK_OFFSET * AXIS[1]
    ax, ay = cx - LINK_HALF_LENGTH * AXIS[0], cy - LINK_HALF_LENGTH * AXIS[1]
    bx, by = cx + LINK_HALF_LENGTH * AXIS[0], cy + LINK_HALF_LENGTH * AXIS[1]
    return abs(segment_distance(x, y, ax, ay, bx, by) - LINK_RADIUS)


def chain_covers(x, y):
    """True where the chain is white. The links cross twice; each passes over the other once,
    with a gap cut into the one beneath, so they read as interlocked rather than overlapping."""
    upper = link_distance(x, y, +1)
    lower = link_distance(x, y, -1)
    in_upper, in_lower = upper <= STROKE / 2, lower <= STROKE / 2
    upper_on_top = (x - SIZE / 2) + (y - SIZE / 2) > 0
    if upper_on_top:
        return in_upper or (in_lower and upper > STROKE / 2 + GAP)
    return in_lower or (in_upper and lower > STROKE / 2 + GAP)


def draw():
    """Returns rows top to bottom of (palette index, transparent) pairs."""
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            inside = rim = white = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    distance = rounded_square_distance(x, y)
                    if distance > 0:
                        continue
                    inside += 1
                    if distance > -RIM_WIDTH:
                        rim += 1
                    elif chain_covers(x, y):
                        white += 1
            # The mask has no partial transparency: a pixel belongs to the icon when most of it does.
            if inside * 2 < SAMPLES * SAMPLES:
                row.append((0, True))
                continue
            shade = RIM_SHADE if rim * 2 >= inside else round(py / (SIZE - 1) * (GRADIENT_STEPS - 1))
            row.append((palette_index(shade, white / inside), False))
        rows.append(row)
    return rows


def ico(rows):
    colours = palette()
    header = struct.pack(
        "<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, len(colours), 0
    )
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    # Both bitmaps are stored bottom row first; the AND mask's rows are padded to 32 bits.
    xor = b"".join(bytes(0 if clear else index for index, clear in row) for row in reversed(rows))
    mask_row_bytes = (SIZE + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for index, (_, clear) in enumerate(row):
            if clear:
                bits |= 0x80 >> (index % 8) << (8 * (index // 8))
        mask += bits.to_bytes(mask_row_bytes, "little")
    image = header + table + xor + mask
    # Width and height 32; colour count 0 means 256 in the directory entry.
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16
    )
    return directory + image


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "resources" / "tarvik.ico"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    output.write_bytes(ico(draw()))


if __name__ == "__main__":
    main()
