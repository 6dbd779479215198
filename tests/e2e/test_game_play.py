"""Pelmora played through the real window: the falling piece, the arrows, the
status text, the mouse marker and Escape, checked on screenshots."""
import os
import signal
import sys
import time
import unittest

from harness import Program
import game_view as view
from game_view import HEIGHT, press_until, wait_for


def sample_fall(game, column, seconds, name):
    """(time, top y) of the piece in a column over a stretch of seconds. A
    capture that took long (a busy machine) has no exact moment: it is left out."""
    samples = []
    end = time.time() + seconds
    while time.time() < end:
        cap = view.capture(game)
        y = view.top_of_blue(cap, column)
        if y is not None and cap.span < 0.1:
            samples.append((cap.when, y))
    if len(samples) < 4:
        cap.save(name)
    return samples


def tap(game, key):
    """One press: held long enough for a frame to see it down, then let go
    long enough for a frame to see it up."""
    game.key_down(key)
    time.sleep(0.06)
    game.key_up(key)
    time.sleep(0.06)


class GamePlayTest(unittest.TestCase):
    def start(self):
        game = Program()
        self.addCleanup(game.__exit__, None, None, None)
        game.wait_window()
        # The keyboard goes to the window under the pointer: keep it inside.
        game.move_to(600, 460)
        return game

    def test_first_piece_falls_at_100_rests_on_the_floor_and_the_next_starts(self):
        game = self.start()
        samples = sample_fall(game, 2, 1.2, "fall-first")
        self.assertGreaterEqual(len(samples), 4, samples)
        speed = view.fall_speed(samples)
        sys.stderr.write("fall: %.1f px/s over %d captures\n" % (speed, len(samples)))
        self.assertTrue(75 <= speed <= 125, "fall of %.1f px/s: %s" % (speed, samples))

        cap = view.capture(game)
        if not view.text_shown(cap, 0):
            self.fail("no status text at (0, 0): " + cap.save("status-text"))

        # Colour 5 over colour 4 on the floor of column 2, and a new piece above.
        def rested_and_next(c):
            top = view.top_of_blue(c, 2)
            return (view.cell_colour(c, 2, 10) == "blue" and view.cell_colour(c, 2, 11) == "green"
                    and top is not None and top < 300)
        cap = wait_for(game, rested_and_next, 6, "rest-first")
        for row in range(0, 10):
            self.assertNotEqual(view.cell_colour(cap, 1, row), "blue")
        cap.save("first-rested")

        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0)

    def test_arrows_move_the_piece_and_down_doubles_the_fall(self):
        game = self.start()
        wait_for(game, lambda c: view.piece_columns(c) == [2], 5, "first-piece")
        press_until(game, "Left", lambda c: view.piece_columns(c) == [1], "left-once")
        # Held, the arrow moved the piece once; at the wall a new press does nothing.
        time.sleep(0.1)
        self.assertEqual(view.piece_columns(view.capture(game)), [1])
        tap(game, "Left")
        time.sleep(0.1)
        self.assertEqual(view.piece_columns(view.capture(game)), [1])

        # The next piece, fresh at the top, goes right one column a press as far as it can.
        def next_piece_after(column):
            return lambda c: (view.cell_colour(c, column, 10) == "blue"
                              and view.cell_colour(c, column, 11) == "green"
                              and (view.top_of_blue(c, 2) or HEIGHT) < 200)
        wait_for(game, next_piece_after(1), 6, "rest-column-1")
        for column in range(3, 9):
            press_until(game, "Right", lambda c: view.piece_columns(c, above=400) == [column],
                        "right-to-%d" % column)
        for _ in range(2):
            tap(game, "Right")
        self.assertEqual(view.piece_columns(view.capture(game), above=400), [8])

        # The one after that falls in column 2 with Down held.
        wait_for(game, next_piece_after(8), 6, "rest-column-8")
        game.key_down("Down")
        try:
            time.sleep(0.1)
            samples = sample_fall(game, 2, 0.8, "fall-fast")
        finally:
            game.key_up("Down")
        self.assertGreaterEqual(len(samples), 4, samples)
        speed = view.fall_speed([s for s in samples if s[1] < 440])
        sys.stderr.write("fall with Down held: %.1f px/s over %d captures\n" % (speed, len(samples)))
        self.assertTrue(160 <= speed <= 240, "held Down: %.1f px/s: %s" % (speed, samples))

        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0)

    def test_a_long_frame_lands_the_piece_on_the_floor_not_below_it(self):
        game = self.start()
        # Let the piece get low, then hold the program still for 1.5 s: the
        # next frame lasts that long and would carry the piece 150 pixels.
        wait_for(game, lambda c: (view.top_of_blue(c, 2) or 0) >= 300, 6, "long-frame-low")
        os.kill(game.process.pid, signal.SIGSTOP)
        time.sleep(1.5)
        os.kill(game.process.pid, signal.SIGCONT)
        cap = wait_for(game, lambda c: view.cell_colour(c, 2, 10) == "blue"
                       and view.cell_colour(c, 2, 11) == "green", 3, "long-frame-rest")
        # Nothing was written anywhere else, and play goes on: the next piece
        # comes to rest on top of the first.
        stray = [(column, row) for column in (1, 3, 4, 5, 6, 7, 8) for row in range(12)
                 if view.cell_colour(cap, column, row) != "empty"]
        if stray:
            self.fail("blocks outside column 2 at %s: %s" % (stray, cap.save("long-frame-stray")))
        wait_for(game, lambda c: view.cell_colour(c, 2, 8) == "blue"
                 and view.cell_colour(c, 2, 9) == "green", 6, "long-frame-next")
        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0)

    def test_marker_follows_the_pointer_and_escape_ends_with_zero(self):
        game = self.start()
        for x, y in ((50, 300), (500, 100), (320, 240)):
            game.move_to(x, y)
            cap = wait_for(game, lambda c: view.is_magenta(c.pixel(x + 15, y + 15)), 3,
                           "marker-%d-%d" % (x, y))
            # Its top-left corner is the pointer: magenta just inside the
            # border, the one-pixel border itself dark, outside untouched.
            self.assertTrue(view.is_magenta(cap.pixel(x + 2, y + 2)))
            self.assertTrue(view.is_magenta(cap.pixel(x + 27, y + 27)))
            self.assertTrue(max(cap.pixel(x, y + 15)) <= 40, cap.pixel(x, y + 15))
            self.assertTrue(max(cap.pixel(x + 29, y + 15)) <= 40, cap.pixel(x + 29, y + 15))
            self.assertFalse(view.is_magenta(cap.pixel(x + 31, y + 15)))
            self.assertFalse(view.is_magenta(cap.pixel(x - 2, y + 15)))
        cap.save("game-in-progress")
        game.key("Escape")
        self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
