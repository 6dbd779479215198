#!/usr/bin/env python3
"""Draws Pelmora's two pictures as 24-bit BMP files.

    make_pictures.py <output directory>

writes <output directory>/back.bmp (640 x 480: the backdrop framing the well,
whose interior is x 200-439, y 120-479) and block.bmp (a strip of 30 x 30
cells: cell 0 black, the transparent colour; cells 1-9 the block colours).
Black is the colour key of both pictures, so no block pixel is black, even
after reduction to a 5-6-5 screen (every block pixel has a channel of 32 or
more). Everything is computed; the output is the same on every run.
"""
import os
import struct
import sys

WIDTH, HEIGHT = 640, 480
CELL = 30
WELL_LEFT, WELL_TOP, WELL_RIGHT = 200, 120, 440   # interior, right exclusive

BLOCK_COLOURS = [
    (214, 52, 52),    # 1 red
    (236, 138, 36),   # 2 orange
    (236, 206, 48),   # 3 yellow
    (62, 186, 74),    # 4 green
    (56, 140, 232),   # 5 blue
    (40, 196, 196),   # 6 teal
    (150, 84, 214),   # 7 violet
    (228, 104, 168),  # 8 pink
    (172, 176, 188),  # 9 silver
]


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b); rows are stored bottom-up, padded to 4 bytes."""
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def clamp(v):
    return max(0, min(255, int(round(v))))


def scale(c, k):
    return tuple(clamp(v * k) for v in c)


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


# ---- Block strip -----------------------------------------------------------

def block_pixel(colour, x, y):
    """A bevelled block: darker rim, light top-left edges, dark bottom-right
    edges, a face shaded from top to bottom with a soft highlight."""
    last = CELL - 1
    if x == 0 or y == 0 or x == last or y == last:
        return scale(colour, 0.42)
    edge = min(x, y, last - x, last - y)        # 1 at the rim's inside
    if edge <= 3:
        if y - 1 < edge + 1 and y <= last - x:  # top bevel
            return mix(colour, (255, 255, 255), 0.45)
        if x - 1 < edge + 1 and x <= last - y:  # left bevel
            return mix(colour, (255, 255, 255), 0.28)
        if last - y <= edge:                     # bottom bevel
            return scale(colour, 0.55)
        return scale(colour, 0.70)               # right bevel
    t = (y - 4) / (CELL - 9)
    face = mix(scale(colour, 1.08), scale(colour, 0.82), t)
    dx, dy = x - 10, y - 9                        # highlight near the top-left
    glow = max(0.0, 1.0 - (dx * dx + dy * dy) / 40.0)
    return mix(face, (255, 255, 255), 0.35 * glow)


def block_strip(x, y):
    v = x // CELL
    if v == 0:
        return (0, 0, 0)
    return block_pixel(BLOCK_COLOURS[v - 1], x % CELL, y)


# ---- Backdrop --------------------------------------------------------------

# 5 x 7 letters for the title, one string per row, '#' set.
GLYPHS = {
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}
TITLE = "PELMORA"
TITLE_SCALE = 6
TITLE_GAP = 6
TITLE_WIDTH = len(TITLE) * (5 * TITLE_SCALE + TITLE_GAP) - TITLE_GAP
TITLE_LEFT = (WIDTH - TITLE_WIDTH) // 2
TITLE_TOP = 34

# Arrow icons on the left panel: (centre x, centre y, direction).
KEYCAPS = [(64, 250, 'left'), (136, 250, 'right'), (100, 320, 'down')]
KEYCAP_HALF = 26


def title_bit(x, y):
    """1 inside a title letter, 0 outside."""
    if not (TITLE_TOP <= y < TITLE_TOP + 7 * TITLE_SCALE):
        return 0
    u = x - TITLE_LEFT
    if u < 0 or u >= TITLE_WIDTH:
        return 0
    step = 5 * TITLE_SCALE + TITLE_GAP
    letter, inside = divmod(u, step)
    if inside >= 5 * TITLE_SCALE:
        return 0
    glyph = GLYPHS[TITLE[letter]]
    return 1 if glyph[(y - TITLE_TOP) // TITLE_SCALE][inside // TITLE_SCALE] == '#' else 0


def star(x, y):
    """A sparse, fixed scattering of faint stars."""
    h = (x * 73856093) ^ (y * 19349663)
    h = (h ^ (h >> 13)) * 1274126177 & 0xFFFFFFFF
    return h % 997 == 0


def arrow_bit(cx, cy, direction, x, y):
    """1 inside an arrow drawn on a key cap centred at (cx, cy)."""
    dx, dy = x - cx, y - cy
    if direction == 'left':
        dx = -dx
    if direction == 'down':
        dx, dy = dy, dx
    # Pointing right: a shaft and a triangular head.
    if -12 <= dx < 2 and abs(dy) <= 3:
        return 1
    return 1 if 0 <= dx <= 12 and abs(dy) <= 12 - dx else 0


def panel(x, y, left, top, right, bottom):
    """Colour of a bevelled panel at (x, y), or None outside it."""
    if not (left <= x < right and top <= y < bottom):
        return None
    edge = min(x - left, y - top, right - 1 - x, bottom - 1 - y)
    if edge < 2:
        return (96, 104, 150) if (x - left < 2 or y - top < 2) else (30, 32, 64)
    t = (y - top) / max(1, bottom - top)
    return mix((40, 44, 92), (24, 26, 60), t)


def back_pixel(x, y):
    # Night-sky gradient with stars.
    t = y / HEIGHT
    sky = mix((14, 18, 52), (52, 20, 70), t)
    if star(x, y):
        sky = mix(sky, (230, 230, 255), 0.7)

    # Well interior: very dark, with faint cell lines.
    if WELL_LEFT <= x < WELL_RIGHT and WELL_TOP <= y:
        u, v = (x - WELL_LEFT) % CELL, (y - WELL_TOP) % CELL
        if u == 0 or v == 0:
            return (30, 34, 62)
        return (18, 20, 40)

    # Stone walls beside the well, capped above its top edge.
    wall = 16
    if (WELL_LEFT - wall <= x < WELL_LEFT or WELL_RIGHT <= x < WELL_RIGHT + wall) and y >= WELL_TOP - 12:
        u = x - (WELL_LEFT - wall) if x < WELL_LEFT else x - WELL_RIGHT
        brick_row = (y - (WELL_TOP - 12)) // 15
        seam = (y - (WELL_TOP - 12)) % 15 == 0 or (u + (brick_row % 2) * 8) % 16 == 0
        base = (128, 120, 142) if not seam else (70, 64, 86)
        light = 1.15 - 0.3 * (u / wall) if x < WELL_LEFT else 0.85 + 0.3 * (u / wall)
        return scale(base, light)

    # Title with a drop shadow, lettered in gold.
    if title_bit(x, y):
        k = (y - TITLE_TOP) / (7 * TITLE_SCALE)
        return mix((255, 232, 120), (216, 130, 30), k)
    if title_bit(x - 3, y - 3):
        return (8, 8, 24)

    # Left panel: the three keys of the game.
    p = panel(x, y, 24, 150, 176, 380)
    if p is not None:
        for cx, cy, direction in KEYCAPS:
            if abs(x - cx) <= KEYCAP_HALF and abs(y - cy) <= KEYCAP_HALF:
                edge = KEYCAP_HALF - max(abs(x - cx), abs(y - cy))
                if arrow_bit(cx, cy, direction, x, y):
                    return (250, 240, 200)
                if edge < 3:
                    return (200, 204, 220) if (y < cy and abs(y - cy) >= abs(x - cx)) or x < cx - KEYCAP_HALF + 3 else (88, 92, 118)
                return (150, 154, 176)
        return p

    # Right panel: a small stack of blocks as decoration.
    p = panel(x, y, 464, 150, 616, 380)
    if p is not None:
        stack = [(494, 290, 4), (524, 290, 5), (554, 290, 6), (524, 260, 7),
                 (554, 260, 3), (554, 230, 1), (494, 320, 8), (524, 320, 2),
                 (554, 320, 9)]
        for bx, by, colour in stack:
            if bx <= x < bx + CELL and by <= y < by + CELL:
                return block_pixel(BLOCK_COLOURS[colour - 1], x - bx, y - by)
        return p

    return sky


def visible_on_565(rgb):
    """False when the colour turns into pixel value 0 (the colour key) on a
    5-6-5 screen: red and blue keep their top 5 bits, green its top 6."""
    r, g, b = rgb
    return (r >> 3) != 0 or (g >> 2) != 0 or (b >> 3) != 0


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make_pictures.py <output directory>\n")
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for x in range(CELL, CELL * 10):
        for y in range(CELL):
            if not visible_on_565(block_strip(x, y)) or max(block_strip(x, y)) < 32:
                sys.stderr.write("block pixel (%d, %d) would be transparent\n" % (x, y))
                return 1
    write_bmp(os.path.join(out, "block.bmp"), CELL * 10, CELL, block_strip)
    write_bmp(os.path.join(out, "back.bmp"), WIDTH, HEIGHT, back_pixel)
    return 0


if __name__ == "__main__":
    sys.exit(main())
