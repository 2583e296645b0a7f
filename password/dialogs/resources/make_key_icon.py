#!/usr/bin/env python3
"""Draws the yellow key shown at the top left of every password form and writes it as an
XPM (a C array) with 16-colour palette entries, in 32 by 32 pixels."""

import math
import sys

SIZE = 32
PALETTE = {
    ".": "None",
    "k": "#000000",
    "o": "#808000",  # shade
    "y": "#FFFF00",  # body
    "w": "#FFFFFF",  # highlight
}


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_key(x, y):
    cx, cy = x + 0.5, y + 0.5
    ring = math.hypot(cx - 9.5, cy - 9.5)
    if 2.6 <= ring <= 7.6:
        return True
    if distance_to_segment(cx, cy, 14.0, 14.0, 28.5, 28.5) <= 2.0:
        return True
    # two teeth at right angles to the shaft, on its lower left side
    for along in (21.0, 26.0):
        if distance_to_segment(cx, cy, along, along, along - 4.0, along + 4.0) <= 1.3:
            return True
    return False


def main():
    filled = [[inside_key(x, y) for x in range(SIZE)] for y in range(SIZE)]
    rows = []
    for y in range(SIZE):
        row = ""
        for x in range(SIZE):
            if filled[y][x]:
                # light from the upper left: pixels whose upper-left neighbour is empty shine
                edge_ul = y == 0 or x == 0 or not filled[y - 1][x - 1]
                edge_dr = y == SIZE - 1 or x == SIZE - 1 or not filled[y + 1][x + 1]
                row += "w" if edge_ul and not edge_dr else "o" if edge_dr else "y"
            elif any(
                0 <= y + dy < SIZE and 0 <= x + dx < SIZE and filled[y + dy][x + dx]
                for dy in (-1, 0, 1)
                for dx in (-1, 0, 1)
            ):
                row += "k"
            else:
                row += "."
        rows.append(row)
    out = ["/* XPM */", "static const char *const ImageKey_xpm[] = {",
           f'"{SIZE} {SIZE} {len(PALETTE)} 1",']
    out += [f'"{key} c {value}",' for key, value in PALETTE.items()]
    out += [f'"{row}",' for row in rows[:-1]] + ['"' + rows[-1] + '"};']
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
