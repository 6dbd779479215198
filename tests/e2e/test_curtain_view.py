"""A clip-rectangle curtain on the real screen: an opening iris (type 7) held
part-way shows only the centre of a full-screen picture."""
import time
import unittest

from harness import Program

STEPS = 120   # one pixel a step: the iris stands at (200, 120) - (440, 360)
LEFT, TOP, RIGHT, BOTTOM = 320 - STEPS, 240 - STEPS, 320 + STEPS, 240 + STEPS
BLACK = (0, 0, 0)


def block_colour(x, y):
    """The picture's 40 x 40 block colour at (x, y), 8 bits a channel."""
    return (40 + (x // 40 * 40) * 200 // 640, 40 + (y // 40 * 40) * 200 // 480, 160)


def near(a, b, slack=8):
    """Equal but for what a 16-bit display drops from each channel."""
    return all(abs(p - q) <= slack for p, q in zip(a, b))


class CurtainViewTest(unittest.TestCase):
    def test_opening_iris_shows_only_the_centre(self):
        with Program("curtain_view.exe", caption="muCurtainView", args=[str(STEPS)]) as view:
            view.wait_window()
            # Wait until the iris stands still at its last step.
            deadline = time.time() + 30
            while True:
                shot = view.client_shot("curtain-iris")
                if shot.pixel(LEFT, 240) != BLACK and shot.pixel(LEFT - 1, 240) == BLACK:
                    break
                self.assertLess(time.time(), deadline, "the iris never reached its place: "
                                + shot.path)
                time.sleep(0.2)
            inside = [(LEFT, TOP), (RIGHT - 1, BOTTOM - 1), (320, 240), (LEFT, 300),
                      (RIGHT - 1, TOP), (250, BOTTOM - 1)]
            outside = [(LEFT - 1, 240), (RIGHT, 240), (320, TOP - 1), (320, BOTTOM),
                       (0, 0), (639, 479), (100, 400), (600, 50)]
            for x, y in inside:
                self.assertTrue(near(shot.pixel(x, y), block_colour(x, y)),
                                "(%d, %d) is %s in %s" % (x, y, shot.pixel(x, y), shot.path))
            for x, y in outside:
                self.assertEqual(shot.pixel(x, y), BLACK, "(%d, %d) in %s" % (x, y, shot.path))
            view.key("Escape")
            self.assertEqual(view.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
