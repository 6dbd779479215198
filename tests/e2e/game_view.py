"""Reading Pelmora's picture from the screen: quick timed captures of the
game's client area and finders for the piece, the status text and the mouse
marker. Colours are compared by their character, not exactly, because a
16-bit screen keeps only the top bits of each channel."""
import os
import subprocess
import time

import harness

WIDTH, HEIGHT = 640, 480
WELL_LEFT, WELL_TOP, CELL = 170, 120, 30   # client position of well cell (0, 0)


class Capture:
    """The client area as RGB bytes, with the moment it was taken and how long
    taking it lasted (the moment is uncertain by that much)."""

    def __init__(self, data, when, span=0.0):
        self.data, self.when, self.span = data, when, span

    def pixel(self, x, y):
        i = 3 * (y * WIDTH + x)
        return tuple(self.data[i:i + 3])

    def save(self, name):
        os.makedirs(harness.SHOTS, exist_ok=True)
        path = os.path.join(harness.SHOTS, name + ".png")
        subprocess.run(["convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "-depth", "8", "rgb:-",
                        path], input=self.data, check=True)
        return path


def capture(game):
    """Takes the game's client area; `when` is the middle of the capture."""
    left, top = game.client[0], game.client[1]
    start = time.time()
    data = subprocess.run(["import", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (WIDTH, HEIGHT, left, top), "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
    end = time.time()
    if len(data) != WIDTH * HEIGHT * 3:
        raise RuntimeError("capture gave %d bytes" % len(data))
    return Capture(data, (start + end) / 2, end - start)


def wait_for(game, condition, timeout, name):
    """Captures until condition(capture) holds; the capture, or fails."""
    end = time.time() + timeout
    while True:
        cap = capture(game)
        if condition(cap):
            return cap
        if time.time() > end:
            raise AssertionError("%s: not seen within %.0f s (%s)" % (name, timeout, cap.save(name)))


def press_until(game, key, condition, name, tries=3):
    """Holds a key until a capture shows its effect, then lets go. The game
    reads its keys once a frame: a press and release that both land inside one
    long frame (a busy machine) are never seen, so a press that shows nothing
    within a second is let go and made again. Returns the capture."""
    for attempt in range(tries):
        game.key_down(key)
        try:
            end = time.time() + 1.0
            while time.time() < end:
                cap = capture(game)
                if condition(cap):
                    time.sleep(0.1)   # a frame sees the key go up before the next press
                    return cap
        finally:
            game.key_up(key)
        time.sleep(0.2)
    raise AssertionError("%s: not seen after %d presses (%s)" % (name, tries, cap.save(name)))


def is_blue(p):      # face of block colour 5
    return p[2] >= 150 and p[2] - p[1] >= 40 and p[0] <= 130


def is_green(p):     # face of block colour 4
    return p[1] >= 120 and p[1] - p[0] >= 60 and p[1] - p[2] >= 50


def is_navy(p):      # background of the status texts
    return p[0] <= 40 and p[1] <= 40 and 90 <= p[2] <= 170


def is_white(p):
    return min(p) >= 200


def is_magenta(p):   # the mouse marker's fill
    return p[0] >= 200 and p[2] >= 200 and p[1] <= 60


def column_centre(column):
    return WELL_LEFT + CELL * column + CELL // 2


def top_of_blue(cap, column):
    """Client y of the first blue pixel going down the middle of a well
    column (the upper cell of the falling piece on an empty column), or None."""
    x = column_centre(column)
    for y in range(WELL_TOP, HEIGHT):
        if is_blue(cap.pixel(x, y)):
            return y
    return None


def piece_columns(cap, below=WELL_TOP, above=HEIGHT):
    """Well columns showing blue between the two client rows."""
    found = []
    for column in range(1, 9):
        x = column_centre(column)
        if any(is_blue(cap.pixel(x, y)) for y in range(below, above, 3)):
            found.append(column)
    return found


def cell_colour(cap, column, row):
    """'blue', 'green', 'empty' or 'other' for the middle of a well cell."""
    p = cap.pixel(column_centre(column), WELL_TOP + CELL * row + CELL // 2 + 5)
    if is_blue(p):
        return "blue"
    if is_green(p):
        return "green"
    if max(p) <= 70:
        return "empty"
    return "other"


def text_shown(cap, top):
    """True when a white-on-navy status text starts at client (0, top)."""
    navy = white = 0
    for y in range(top, top + 14):
        for x in range(0, 200):
            p = cap.pixel(x, y)
            navy += is_navy(p)
            white += is_white(p)
    return navy >= 100 and white >= 30


def fall_speed(samples):
    """Least-squares slope, in pixels per second, of (time, y) samples."""
    n = len(samples)
    mt = sum(t for t, _ in samples) / n
    my = sum(y for _, y in samples) / n
    num = sum((t - mt) * (y - my) for t, y in samples)
    den = sum((t - mt) ** 2 for t, _ in samples)
    return num / den
