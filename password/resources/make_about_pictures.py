#!/usr/bin/env python3
"""Draws the About box's side picture and the link's hand pointer as Windows BMP files.

Run from any folder: python3 make_about_pictures.py  (writes next to this script).
The side picture (43 x 233) is drawn once in full colour and stored twice: with 256 colours
(ABOUT_SIDE_256) and ordered-dithered to the standard 16-colour palette (ABOUT_SIDE_16).
The pointer is a 32 x 32 monochrome hand stored as two 1-bit pictures: CURSOR_HAND marks the
black outline, CURSOR_HAND_MASK the pixels the pointer covers (outline and white filling).
"""
import math
import os
import struct

from make_bitmaps import PALETTE as PALETTE_16

WIDTH, HEIGHT = 43, 233

BAYER_4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]

HAND = [
    ".....XX.........",
    "....X..X........",
    "....X..X........",
    "....X..X........",
    "....X..X........",
    "....X..XXX......",
    "....X..X..XXX...",
    "....X..X..X..XX.",
    ".XX.X..X..X..X.X",
    "X..XX........X.X",
    "X...X..........X",
    ".X.............X",
    "..X............X",
    "..X............X",
    "...X..........X.",
    "...X..........X.",
    "....X........X..",
    "....X........X..",
    "....XXXXXXXXXX..",
]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def side_colour(x, y):
    """The side picture in full colour: a night-blue column warming to an ember glow at the
    foot, a row of rising sparks, and a key standing upright in the glow."""
    t = y / (HEIGHT - 1)
    colour = mix((10, 20, 70), (0, 96, 128), min(1.0, t * 1.4))
    glow = max(0.0, (t - 0.62) / 0.38)
    colour = mix(colour, (230, 110, 20), glow * glow)
    # A soft light towards the left edge gives the column some depth.
    colour = mix(colour, (255, 255, 255), 0.12 * max(0.0, 1.0 - x / 14.0))
    # Sparks: small diamonds rising up the middle, fading towards the top.
    for i in range(9):
        cx = 21 + round(7 * math.sin(i * 1.7))
        cy = 150 - i * 16
        if abs(x - cx) + abs(y - cy) <= 2:
            colour = mix(colour, (255, 210, 90), 1.0 - i / 11.0)
    # The key: a ring, a shaft and two teeth, in pale gold.
    ring = (x - 21) ** 2 + (y - 176) ** 2
    shaft = 19 <= x <= 23 and 183 <= y <= 222
    teeth = 24 <= x <= 28 and (200 <= y <= 203 or 210 <= y <= 214)
    if 16 <= ring <= 56 or shaft or teeth:
        colour = (250, 228, 150)
    return tuple(max(0, min(255, round(c))) for c in colour)


def palette_256(pixels):
    """At most 256 colours for the picture: each box of colours is split at the median of its
    widest channel until there are 256 boxes, and each box gives its mean colour."""
    boxes = [sorted(set(c for row in pixels for c in row))]
    while len(boxes) < 256:
        spans = [max(c[k] for c in box) - min(c[k] for c in box) if len(box) > 1 else -1
                 for box in boxes for k in range(3)]
        widest = max(range(len(spans)), key=spans.__getitem__)
        if spans[widest] <= 0:
            break
        box, channel = boxes.pop(widest // 3), widest % 3
        box.sort(key=lambda c: c[channel])
        boxes += [box[:len(box) // 2], box[len(box) // 2:]]
    return [tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3)) for box in boxes]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def index_16(colour, x, y):
    """The nearest standard colour after an ordered dither, so that gradients survive."""
    offset = (BAYER_4[y % 4][x % 4] / 16.0 - 0.5) * 96
    return nearest(PALETTE_16, [c + offset for c in colour])


def rows_of(indexes, bits):
    """Uncompressed rows of `bits` per pixel, bottom row first, each padded to four bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for row in reversed(indexes):
        data = bytearray()
        for start in range(0, len(row), per_byte):
            byte = 0
            for i, index in enumerate(row[start:start + per_byte]):
                byte |= index << (8 - bits * (i + 1))
            data.append(byte)
        while len(data) % 4:
            data.append(0)
        out += data
    return bytes(out)


def bmp(indexes, palette, bits):
    height, width = len(indexes), len(indexes[0])
    data = rows_of(indexes, bits)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 3780, 3780,
                       len(palette), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + colours + data


def hand_pictures():
    """The outline and the area the hand covers: everything that cannot be reached from the
    picture's edge without crossing the outline."""
    size = 32
    rows = [row.ljust(size, ".") for row in HAND] + ["." * size] * (size - len(HAND))
    outline = [[1 if c == "X" else 0 for c in row] for row in rows]
    outside = [[False] * size for _ in range(size)]
    pending = [(i, edge) for i in range(size) for edge in (0, size - 1)]
    pending += [(edge, i) for i in range(size) for edge in (0, size - 1)]
    while pending:
        x, y = pending.pop()
        if 0 <= x < size and 0 <= y < size and not outside[y][x] and not outline[y][x]:
            outside[y][x] = True
            pending += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    mask = [[0 if outside[y][x] else 1 for x in range(size)] for y in range(size)]
    # Index 1 of the two-colour palette is black: the pixel belongs to the picture.
    mono = [(255, 255, 255), (0, 0, 0)]
    return bmp(outline, mono, 1), bmp(mask, mono, 1)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    full = [[side_colour(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    rich = palette_256(full)
    pictures = {
        "ABOUT_SIDE_256": bmp([[nearest(rich, c) for c in row] for row in full], rich, 8),
        "ABOUT_SIDE_16": bmp([[index_16(c, x, y) for x, c in enumerate(row)]
                              for y, row in enumerate(full)], PALETTE_16, 4),
    }
    pictures["CURSOR_HAND"], pictures["CURSOR_HAND_MASK"] = hand_pictures()
    for name, data in pictures.items():
        with open(os.path.join(here, name + ".bmp"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
