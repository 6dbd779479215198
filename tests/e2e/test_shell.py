"""The game's window, single instance and the two ways to end it, as a player sees them."""
import unittest

import harness
from harness import Program, probe


class ShellTest(unittest.TestCase):
    def test_one_centred_window_second_copy_and_escape(self):
        with Program() as game:
            info = game.wait_window()
            self.assertEqual(info["count"], 1)
            self.assertEqual(info["client"][2:], (640, 480))
            left, top, right, bottom = info["window"]
            screen_w, screen_h = info["screen"]
            self.assertEqual(left, (screen_w - (right - left)) // 2)
            self.assertEqual(top, (screen_h - (bottom - top)) // 2)

            # A second copy brings the first forward and ends at once with 0.
            with Program() as second:
                self.assertEqual(second.wait_exit(timeout=20), 0)
            self.assertEqual(probe("Pelmora")["count"], 1)

            game.key("Escape")
            self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(probe("Pelmora")["count"], 0)

    def test_close_box_ends_with_zero(self):
        with Program() as game:
            info = game.wait_window()
            # Wine draws the frame itself: the close box is the caption's last button.
            left, top, right, bottom = info["window"]
            game.focus()
            harness.xdotool("mousemove", right - 12, top + 11)
            game.click(1)
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
