#!/usr/bin/env python3
"""Writes a 24-bit BMP picture for builds and tests.

    make_bitmap.py OUT WIDTH HEIGHT PATTERN

PATTERN is one of
    solid:RRGGBB        one colour
    wipe                ten 64 x 48 frames side by side, growing squares on black
"""
import struct
import sys


def write_bmp(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def wipe(x, y):
    frame, fx, fy = x // 64, x % 64, y % 48
    half = (frame + 1) * 24 // 10  # the dark square grows with the frame
    if abs(fx - 32) < half * 4 // 3 and abs(fy - 24) < half:
        return (16, 16, 48)
    return (0, 0, 0)


def main():
    out, width, height, pattern = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    if pattern.startswith("solid:"):
        value = int(pattern[6:], 16)
        colour = ((value >> 16) & 255, (value >> 8) & 255, value & 255)
        write_bmp(out, width, height, lambda x, y: colour)
    else:
        write_bmp(out, width, height, {"wipe": wipe}[pattern])


if __name__ == "__main__":
    main()
