#!/usr/bin/env python3
"""Draws the control library's bitmaps and writes them as Windows BMP files.

Run from any folder: python3 make_bitmaps.py  (writes next to this script).
All pictures use the standard 16-colour palette. The surface and toolbox pictures are
stored uncompressed; the four button images are stored run-length compressed (4 bits per
pixel), with magenta as the background that the buttons treat as transparent. The button
images are drawn a second time at twice the density ("@2x", 32 by 32 pixels) for
high-density screens, from the strokes that the 16-pixel drawings follow.
"""
import math
import os
import struct

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, DARK_GREEN, DARK_CYAN, SILVER, GREY = 0, 1, 2, 6, 7, 8
RED, GREEN, MAGENTA, WHITE = 9, 10, 13, 15

CHECK = [
    "................",
    "................",
    ".............oo.",
    "............oIo.",
    "...........oIIo.",
    "..........oIIo..",
    "..oo.....oIIo...",
    ".oIIo...oIIo....",
    ".oIIIo.oIIo.....",
    "..oIIIoIIo......",
    "...oIIIIo.......",
    "....oIIo........",
    ".....oo.........",
    "................",
    "................",
    "................",
]

CROSS = [
    "................",
    "................",
    "..oo........oo..",
    ".oIIo......oIIo.",
    ".oIIIo....oIIIo.",
    "..oIIIo..oIIIo..",
    "...oIIIooIIIo...",
    "....oIIIIIIo....",
    ".....oIIIIo.....",
    "....oIIIIIIo....",
    "...oIIIooIIIo...",
    "..oIIIo..oIIIo..",
    ".oIIIo....oIIIo.",
    ".oIIo......oIIo.",
    "..oo........oo..",
    "................",
]


# The centre lines of the two marks, in the coordinates of the 16-pixel drawings, and the
# half width of their coloured inside; the outline around it is one such pixel wide.
CHECK_STROKES = [((2.6, 7.6), (5.6, 10.6)), ((5.6, 10.6), (13.3, 2.9))]
CROSS_STROKES = [((3.0, 3.0), (13.0, 13.0)), ((13.0, 3.0), (3.0, 13.0))]
STROKE_HALF_WIDTH = 1.15


def distance_to_segment(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def from_strokes(strokes, outline, inner, scale):
    """The mark drawn at `scale` times the density of the 16-pixel drawings."""
    size = 16 * scale
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = (x + 0.5) / scale, (y + 0.5) / scale
            d = min(distance_to_segment(px, py, a, b) for a, b in strokes)
            row.append(inner if d <= STROKE_HALF_WIDTH else
                       outline if d <= STROKE_HALF_WIDTH + 1.0 else MAGENTA)
        pixels.append(row)
    return pixels


def from_art(art, outline, inner):
    colours = {".": MAGENTA, "o": outline, "I": inner}
    return [[colours[c] for c in row] for row in art]


def draw_key(pixels, bow_x, bow_y, outer, inner, shaft_end, shaft_half, teeth, tooth_len):
    """A key lying across the picture: a ring on the left, a shaft and teeth hanging down."""
    for y, row in enumerate(pixels):
        for x in range(len(row)):
            d2 = (x - bow_x) ** 2 + (y - bow_y) ** 2
            if (inner + 0.5) ** 2 < d2 <= (outer + 0.4) ** 2:
                row[x] = DARK_CYAN
    for x in range(bow_x + outer, shaft_end + 1):
        for y in range(bow_y - shaft_half, bow_y + shaft_half + 1):
            pixels[y][x] = DARK_CYAN
    for tx, width in teeth:
        for x in range(tx, tx + width):
            for y in range(bow_y + shaft_half + 1, bow_y + shaft_half + 1 + tooth_len):
                pixels[y][x] = DARK_CYAN


def surface_picture():
    size = 32
    px = [[SILVER] * size for _ in range(size)]
    for i in range(size):
        px[0][i] = px[size - 1][i] = px[i][0] = px[i][size - 1] = BLACK
    for i in range(1, size - 1):
        px[1][i] = px[i][1] = WHITE
    for i in range(1, size - 1):
        px[size - 2][i] = px[i][size - 2] = GREY
    px[1][size - 2] = px[size - 2][1] = GREY
    draw_key(px, bow_x=9, bow_y=15, outer=5, inner=2, shaft_end=26, shaft_half=1,
             teeth=[(19, 2), (23, 3)], tooth_len=4)
    return px


def toolbox_picture():
    px = [[SILVER] * 16 for _ in range(15)]
    draw_key(px, bow_x=4, bow_y=6, outer=3, inner=1, shaft_end=14, shaft_half=0,
             teeth=[(10, 1), (12, 2)], tooth_len=3)
    return px


def pack_rows(pixels):
    """Uncompressed 4-bit rows, bottom row first, each padded to four bytes."""
    out = bytearray()
    for row in reversed(pixels):
        data = bytearray()
        for i in range(0, len(row), 2):
            right = row[i + 1] if i + 1 < len(row) else 0
            data.append((row[i] << 4) | right)
        while len(data) % 4:
            data.append(0)
        out += data
    return bytes(out)


def runs_of(row):
    runs, start = [], 0
    for i in range(1, len(row) + 1):
        if i == len(row) or row[i] != row[start] or i - start == 255:
            runs.append((row[start], i - start))
            start = i
    return runs


def rle4_rows(pixels):
    """4-bit run-length data: runs of one colour in encoded mode, scattered single pixels
    gathered into absolute mode, an end-of-line after each row and end-of-bitmap at the end."""
    out = bytearray()
    for row in reversed(pixels):
        pending = []

        def flush():
            if len(pending) >= 3:
                out.extend((0, len(pending)))
                packed = bytearray()
                for i in range(0, len(pending), 2):
                    right = pending[i + 1] if i + 1 < len(pending) else 0
                    packed.append((pending[i] << 4) | right)
                if len(packed) % 2:
                    packed.append(0)
                out.extend(packed)
            else:
                for colour in pending:
                    out.extend((1, colour << 4))
            pending.clear()

        for colour, count in runs_of(row):
            if count == 1:
                pending.append(colour)
                continue
            flush()
            out.extend((count, (colour << 4) | colour))
        flush()
        out.extend((0, 0))
    out[-1] = 1  # the last end-of-line becomes end-of-bitmap
    return bytes(out)


def bmp(pixels, compressed):
    height, width = len(pixels), len(pixels[0])
    data = rle4_rows(pixels) if compressed else pack_rows(pixels)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 2 if compressed else 0,
                       len(data), 3780, 3780, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    pictures = {
        "CONTROL_VTPASSWORD": (surface_picture(), False),
        "30000": (toolbox_picture(), False),
        "BTN_CHECK_COLOR": (from_art(CHECK, DARK_GREEN, GREEN), True),
        "BTN_CHECK_GRAY": (from_art(CHECK, GREY, SILVER), True),
        "BTN_X_COLOR": (from_art(CROSS, DARK_RED, RED), True),
        "BTN_X_GRAY": (from_art(CROSS, GREY, SILVER), True),
        "BTN_CHECK_COLOR@2x": (from_strokes(CHECK_STROKES, DARK_GREEN, GREEN, 2), True),
        "BTN_CHECK_GRAY@2x": (from_strokes(CHECK_STROKES, GREY, SILVER, 2), True),
        "BTN_X_COLOR@2x": (from_strokes(CROSS_STROKES, DARK_RED, RED, 2), True),
        "BTN_X_GRAY@2x": (from_strokes(CROSS_STROKES, GREY, SILVER, 2), True),
    }
    for name, (pixels, compressed) in pictures.items():
        with open(os.path.join(here, name + ".bmp"), "wb") as f:
            f.write(bmp(pixels, compressed))


if __name__ == "__main__":
    main()
