#!/usr/bin/env python3
"""Draws the folder of BMP pictures that the pack tests convert and load.

    make_pack_pictures.py <output directory>

Each picture covers what a pack must carry: every 5-bit level of each channel
with the values at both ends of a level, pure black (the colour key) beside
colours too dark for five bits (which must not become black), odd widths
(BMP rows padded, pack rows not), a single pixel and a row wider than the
screen's. File names are in mixed case: the pack stores them upper-cased.
Everything is computed; the output is the same on every run.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_bitmap import write_bmp  # noqa: E402


def levels(x, y):
    """64 x 6: for each 5-bit level v (x // 2), its lowest and highest 8-bit
    value (8v and 8v + 7), on one channel per row pair."""
    value = (x // 2) * 8 + (7 if x % 2 else 0)
    channel = y // 2
    return tuple(value if c == channel else 0 for c in range(3))


def darks(x, y):
    """8 x 8: black in the corners, the rest colours with channels below 8."""
    if (x in (0, 7)) and (y in (0, 7)):
        return (0, 0, 0)
    return (x % 8, y % 8, (x + y) % 8)


def gradient(x, y):
    return ((x * 4) & 255, (y * 5) & 255, ((x + y) * 2) & 255)


def edges(x, y):
    return [(0, 0, 0), (7, 7, 7), (255, 0, 0), (255, 255, 255), (0, 255, 0)][x]


PICTURES = [
    ("Levels.bmp", 64, 6, levels),
    ("darks.BMP", 8, 8, darks),
    ("Gradient.bmp", 64, 48, gradient),
    ("odd.bmp", 37, 5, lambda x, y: ((x * 7) & 255, (y * 50) & 255, 200)),
    ("dot.bmp", 1, 1, lambda x, y: (255, 255, 255)),
    ("EDGES.bmp", 5, 1, edges),
    ("wide.bmp", 641, 3, lambda x, y: (x & 255, (x >> 2) & 255, y * 100)),
]


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make_pack_pictures.py <output directory>\n")
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, width, height, pixel in PICTURES:
        write_bmp(os.path.join(out, name), width, height, pixel)
    return 0


if __name__ == "__main__":
    sys.exit(main())
