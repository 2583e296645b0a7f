#!/usr/bin/env python3
"""Draws the yellow key shown at the top left of every password form and writes it as an
XPM (a C array) with 16-colour palette entries, in 32 by 32 pixels, or with the argument 2 in
64 by 64 pixels for high-density screens: the same shape drawn at twice the density, its
outline as wide as at the normal size.

    python3 make_key_icon.py > ImageKey.xpm
    python3 make_key_icon.py 2 > ImageKey@2x.xpm
"""

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
    scale = int(sys.argv[1]) if len(sys.argv) > 1 else 1
    size = SIZE * scale
    # Each pixel is judged at its centre, in the coordinates of the normal size.
    filled = [[inside_key((x + 0.5) / scale - 0.5, (y + 0.5) / scale - 0.5) for x in range(size)]
              for y in range(size)]
    reach = range(-scale, scale + 1)  # the outline is one normal pixel wide
    rows = []
    for y in range(size):
        row = ""
        for x in range(size):
            if filled[y][x]:
                # light from the upper left: pixels whose upper-left neighbour is empty shine
                edge_ul = y == 0 or x == 0 or not filled[y - 1][x - 1]
                edge_dr = y == size - 1 or x == size - 1 or not filled[y + 1][x + 1]
                row += "w" if edge_ul and not edge_dr else "o" if edge_dr else "y"
            elif any(
                0 <= y + dy < size and 0 <= x + dx < size and filled[y + dy][x + dx]
                for dy in reach
                for dx in reach
            ):
                row += "k"
            else:
                row += "."
        rows.append(row)
    name = "ImageKey_xpm" if scale == 1 else f"ImageKey{scale}x_xpm"
    out = ["/* XPM */", f"static const char *const {name}[] = {{",
           f'"{size} {size} {len(PALETTE)} 1",']
    out += [f'"{key} c {value}",' for key, value in PALETTE.items()]
    out += [f'"{row}",' for row in rows[:-1]] + ['"' + rows[-1] + '"};']
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
