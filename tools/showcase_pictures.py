#!/usr/bin/env python3
"""Draws the showcase's pictures as 24-bit BMP files.

    showcase_pictures.py <output directory>

Every picture is computed; the output is the same on every run. Black is the
colour key of the pictures that have transparent parts (sprites, light, wipe,
page); the opaque ones (photo, mini, tile, texture, keys, page tile) hold no
pixel that a 5-6-5 screen would turn into pixel value 0, because the software
effects treat that value as transparent too.

    photo.bmp     256 x 192  a landscape at dusk: sky, sun, mountains, lake
    mini.bmp      160 x 120  the same landscape, smaller
    sprites.bmp   384 x 64   six 64 x 64 cells on black: ball, star, rocket,
                             heart, coin, gem
    tile.bmp       64 x 64   a seamless bevelled tile
    texture.bmp   256 x 256  a seamless plasma texture
    light.bmp     128 x 128  a round glow fading to black
    keys.bmp      192 x 96   red, green and blue discs with black rings on grey
    wipe.bmp      640 x 48   ten 64 x 48 wipe frames, a diamond growing until it
                             covers the whole tile in frame 9
    page.bmp      640 x 960  a tall page of ten numbered panels on black
    pagetile.bmp   64 x 48   the page view's background tile
    pack/frame1.bmp .. frame8.bmp   64 x 64  a coin turning, eight steps, on black
    pack/day.bmp, pack/night.bmp   256 x 192  the landscape by day and by night

The pictures of pack/ are what the showcase's picture pack is converted from.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_pictures import clamp, mix, scale, visible_on_565, write_bmp  # noqa: E402

# ---- Landscape -------------------------------------------------------------


def ridge(u, seed, base, height):
    """Height (0 top .. 1 bottom) of a mountain ridge at u in 0..1."""
    h = (math.sin(u * 7.0 + seed) * 0.5 + math.sin(u * 17.0 + seed * 2.1) * 0.25
         + math.sin(u * 41.0 + seed * 0.7) * 0.1)
    return base - height * (0.5 + 0.5 * h / 0.85)


def landscape(u, v):
    """Colour of the dusk landscape at (u, v), both 0..1."""
    horizon = 0.62
    sun_u, sun_v, sun_r = 0.7, 0.42, 0.07
    if v < horizon:
        t = v / horizon
        sky = mix((28, 36, 104), (250, 150, 80), t ** 1.6)
        d = math.hypot(u - sun_u, (v - sun_v) * 0.75)
        if d < sun_r:
            sky = mix((255, 236, 160), (255, 250, 220), 1 - d / sun_r)
        else:
            sky = mix(sky, (255, 210, 120), max(0.0, 0.5 - (d - sun_r) * 2.2))
        far = ridge(u, 1.3, horizon, 0.22)
        near = ridge(u, 4.2, horizon, 0.12)
        if v >= near:
            k = (v - near) / max(0.01, horizon - near)
            return mix((44, 92, 58), (24, 60, 40), k)
        if v >= far:
            k = (v - far) / max(0.01, horizon - far)
            return mix((106, 78, 140), (72, 58, 110), k)
        return sky
    # The lake mirrors the sky and the sun, darker and rippled.
    depth = (v - horizon) / (1 - horizon)
    ripple = math.sin(v * 180.0 + math.sin(u * 23.0) * 2.0) * 0.012 * (1 + depth * 3)
    mirrored = landscape(u + ripple, max(0.0, 2 * horizon - v - 0.002))
    return mix(scale(mirrored, 0.72), (20, 40, 80), depth * 0.6)


def trees(u, v, width, height):
    """Dark pines on the near shore, or None."""
    for cu, size in ((0.12, 0.16), (0.2, 0.11), (0.9, 0.14)):
        top = 0.62 - size
        if top <= v < 0.63:
            half = (v - top) / size * size * 0.28
            if abs(u - cu) * width / height < half:
                return (18, 40, 28)
    return None


def landscape_picture(width, height):
    def pixel(x, y):
        u, v = (x + 0.5) / width, (y + 0.5) / height
        return trees(u, v, width, height) or landscape(u, v)
    return pixel


# ---- Sprites ---------------------------------------------------------------

CELL = 64


def sphere(x, y, colour):
    dx, dy = (x - 31.5) / 28, (y - 31.5) / 28
    r2 = dx * dx + dy * dy
    if r2 > 1:
        return (0, 0, 0)
    z = math.sqrt(1 - r2)
    light = max(0.0, dx * -0.5 + dy * -0.6 + z * 0.62)
    c = scale(colour, 0.35 + 0.75 * light)
    shine = max(0.0, light - 0.8) * 4
    return mix(c, (255, 255, 255), min(1.0, shine))


def star(x, y):
    dx, dy = x - 31.5, y - 33.0
    r = math.hypot(dx, dy)
    a = math.atan2(dy, dx) + math.pi / 2
    k = (math.cos(5 * a) + 1) / 2          # 1 at the points
    limit = 13 + 16 * k ** 2.2
    if r > limit:
        return (0, 0, 0)
    return mix((255, 246, 140), (232, 150, 20), r / limit)


def rocket(x, y):
    cx = 31.5
    if 6 <= y <= 50 and abs(x - cx) <= 10 * math.sin(min(1.0, (y - 4) / 20) * math.pi / 2):
        if math.hypot(x - cx, y - 24) < 5:
            return (90, 190, 250)
        return mix((250, 250, 252), (170, 176, 190), abs(x - cx) / 11)
    if 36 <= y <= 54 and 10 <= abs(x - cx) <= 10 + (y - 36) * 0.7:
        return (220, 50, 50)
    if 50 < y <= 60 and abs(x - cx) <= 6 - (y - 50) * 0.5:
        return mix((255, 240, 120), (255, 120, 30), (y - 50) / 10)
    return (0, 0, 0)


def heart(x, y):
    u, v = (x - 31.5) / 24, -(y - 30) / 24
    f = (u * u + v * v - 1) ** 3 - u * u * v ** 3
    if f > 0:
        return (0, 0, 0)
    return mix((255, 150, 190), (210, 40, 100), min(1.0, (x + y) / 90))


def coin(x, y):
    r = math.hypot(x - 31.5, y - 31.5)
    if r > 27:
        return (0, 0, 0)
    if r > 23:
        return (200, 140, 30)
    shine = 0.5 + 0.5 * math.sin((x - y) / 9)
    c = mix((250, 210, 70), (255, 240, 160), shine * 0.6)
    return scale(c, 0.8) if abs(x - 31.5) < 3 and abs(y - 31.5) < 13 else c


def gem(x, y):
    dx, dy = abs(x - 31.5), y - 31.5
    if dy < -14 or dy > 26 or dx > 26 - max(0.0, dy) * 1.0 or (dy < -4 and dx > 16 + (dy + 14)):
        return (0, 0, 0)
    facet = (int(dx // 9) + (0 if dy < -4 else 2)) % 3
    return [(120, 240, 250), (40, 180, 220), (20, 120, 180)][facet]


SPRITES = [lambda x, y: sphere(x, y, (240, 70, 60)), star, rocket, heart, coin, gem]


def sprites(x, y):
    return SPRITES[x // CELL](x % CELL, y)


# ---- Tiles and textures ----------------------------------------------------


def tile(x, y):
    """A bevelled square of 64 x 64 whose edges meet its neighbours'."""
    edge = min(x, y, 63 - x, 63 - y)
    base = (60, 110, 150)
    if edge < 3:
        return scale(base, 1.5) if x < 3 or y < 3 else scale(base, 0.55)
    stripe = ((x + y) // 8) % 2
    return scale(base, 1.0 if stripe else 0.88)


def texture(x, y):
    """A plasma that repeats every 256 pixels both ways."""
    k = 2 * math.pi / 256
    v = (math.sin(x * k * 2) + math.sin(y * k * 3) + math.sin((x + y) * k * 2)
         + math.sin(math.hypot(x - 128, y - 128) * k * 4)) / 4
    r = 120 + 80 * math.sin(v * math.pi * 2)
    g = 120 + 80 * math.sin(v * math.pi * 2 + 2.1)
    b = 130 + 80 * math.sin(v * math.pi * 2 + 4.2)
    return (clamp(r), clamp(g), clamp(b))


def light(x, y):
    r = math.hypot(x - 63.5, y - 63.5) / 64
    if r >= 1:
        return (0, 0, 0)
    k = (1 - r) ** 1.8
    return (clamp(255 * k), clamp(230 * k), clamp(160 * k))


def keys(x, y):
    for i, colour in enumerate(((255, 0, 0), (0, 255, 0), (0, 0, 255))):
        r = math.hypot(x - (32 + 64 * i), y - 48)
        if r < 22:
            return colour
        if r < 28:
            return (0, 0, 0)
    return (96, 96, 96)


def wipe(x, y):
    """Frame f (x // 64): a diamond that covers the whole tile at f = 9."""
    frame, fx, fy = x // 64, x % 64, y
    size = (frame + 1) / 10
    d = abs(fx - 31.5) / 32 + abs(fy - 23.5) / 24
    if d <= size * 2.0:
        return mix((30, 60, 90), (10, 24, 44), d / 2.0)
    return (0, 0, 0)


# ---- Page view -------------------------------------------------------------

DIGITS = {
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    '4': ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    '5': ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    '6': [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    '7': ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    '9': [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
}
PANEL_HEIGHT = 96


def digit_bit(text, left, top, size, x, y):
    u, v = x - left, y - top
    if v < 0 or v >= 7 * size or u < 0:
        return False
    index, inside = divmod(u, 6 * size)
    if index >= len(text) or inside >= 5 * size:
        return False
    return DIGITS[text[index]][v // size][inside // size] == '#'


def page(x, y):
    n, py = divmod(y, PANEL_HEIGHT)
    if py < 6 or py >= PANEL_HEIGHT - 6 or x < 40 or x >= 600:
        return (0, 0, 0)
    hue = n / 10
    base = (clamp(90 + 80 * math.sin(hue * 6.28)), clamp(90 + 80 * math.sin(hue * 6.28 + 2.1)),
            clamp(90 + 80 * math.sin(hue * 6.28 + 4.2)))
    if digit_bit(str(n + 1), 64, 20, 8, x, py):
        return (250, 250, 240)
    # A planet and its ring on the right of each panel.
    cx, cy = 470 + 40 * math.sin(n), 48
    r = math.hypot(x - cx, py - cy)
    if r < 26:
        return mix(scale(base, 1.4), scale(base, 0.6), r / 26)
    if abs((py - cy) * 3.2 - (x - cx) * 0.6) < 6 and r < 52:
        return (230, 220, 190)
    edge = min(x - 40, 599 - x, py - 6, PANEL_HEIGHT - 7 - py)
    return scale(base, 0.5 if edge < 3 else 0.32 + 0.1 * ((x // 24 + py // 24) % 2))


def turning_coin(step):
    """Frame `step` of 8 of a coin turning about its upright axis."""
    squeeze = abs(math.cos(step * math.pi / 8))
    def pixel(x, y):
        u = (x - 31.5) / max(0.08, squeeze)
        if math.hypot(u, y - 31.5) > 27:
            return (0, 0, 0)
        if squeeze < 0.15:
            return (170, 120, 30)
        return coin(min(63, max(0, int(31.5 + u))), y)
    return pixel


def night(u, v):
    """The landscape under a night sky: darker, bluer, with stars and a moon."""
    r, g, b = landscape(u, v)
    c = (r * 0.25 + 6, g * 0.3 + 8, b * 0.55 + 24)
    if v < 0.5:
        h = (int(u * 977) * 73856093) ^ (int(v * 733) * 19349663)
        if (h & 0xFFFF) % 173 == 0:
            return (230, 230, 255)
        if math.hypot(u - 0.25, (v - 0.18) * 0.75) < 0.05:
            return (240, 240, 210)
    return tuple(clamp(x) for x in c)


def scene(shade, width, height):
    def pixel(x, y):
        u, v = (x + 0.5) / width, (y + 0.5) / height
        return trees(u, v, width, height) or shade(u, v)
    return pixel


def page_tile(x, y):
    d = (x + 2 * y) % 32
    return (24, 28, 52) if d < 16 else (30, 34, 62)


PICTURES = [
    ("photo.bmp", 256, 192, landscape_picture(256, 192), True),
    ("mini.bmp", 160, 120, landscape_picture(160, 120), True),
    ("sprites.bmp", CELL * len(SPRITES), CELL, sprites, False),
    ("tile.bmp", 64, 64, tile, True),
    ("texture.bmp", 256, 256, texture, True),
    ("light.bmp", 128, 128, light, False),
    ("keys.bmp", 192, 96, keys, False),
    ("wipe.bmp", 640, 48, wipe, False),
    ("page.bmp", 640, PANEL_HEIGHT * 10, page, False),
    ("pagetile.bmp", 64, 48, page_tile, True),
    ("pack/day.bmp", 256, 192, scene(landscape, 256, 192), True),
    ("pack/night.bmp", 256, 192, scene(night, 256, 192), True),
] + [("pack/frame%d.bmp" % (i + 1), 64, 64, turning_coin(i), False) for i in range(8)]


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: showcase_pictures.py <output directory>\n")
        return 2
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "pack"), exist_ok=True)
    for name, width, height, pixel, opaque in PICTURES:
        if opaque:
            for y in range(height):
                for x in range(width):
                    if not visible_on_565(pixel(x, y)):
                        sys.stderr.write("%s: pixel (%d, %d) would be transparent\n" % (name, x, y))
                        return 1
        write_bmp(os.path.join(out, name), width, height, pixel)
    # The last wipe frame covers its tile: no black pixel remains.
    if any(wipe(576 + x, y) == (0, 0, 0) for x in range(64) for y in range(48)):
        sys.stderr.write("wipe.bmp: frame 9 does not cover its tile\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
