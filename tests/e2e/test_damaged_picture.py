"""Pelmora with a damaged bmp\\back.bmp beside it, as after a broken download:
the library's error box instead of a crash, then the game runs on without
its background and ends with Escape."""
import os
import shutil
import struct
import tempfile
import time
import unittest

import harness
from harness import Program, probe
import game_view as view

ERROR_CAPTION = "エラー発生"
BOX_CLASS = "#32770"


def huge_header_bmp():
    """A 1-bit picture header claiming 8192 x 8192 pixels, with 28 bytes of
    pixels: the system's own loader reads far past the end of such a file."""
    info = struct.pack("<IiiHHIIiiII", 40, 8192, 8192, 1, 1, 0, 28, 0, 0, 2, 0)
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    pixels = b"\xa5" * 28
    offset = 14 + len(info) + len(colours)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + colours + pixels


class DamagedPictureTest(unittest.TestCase):
    def game_folder(self):
        """A copy of the game whose background picture is damaged."""
        folder = tempfile.mkdtemp(prefix="mu-e2e-damaged-")
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copy(os.path.join(harness.BIN, "pelmora.exe"), folder)
        os.makedirs(os.path.join(folder, "bmp"))
        shutil.copy(os.path.join(harness.BIN, "bmp", "block.bmp"), os.path.join(folder, "bmp"))
        with open(os.path.join(folder, "bmp", "back.bmp"), "wb") as f:
            f.write(huge_header_bmp())
        return folder

    def wait_error_box(self, game, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if game.process.poll() is not None:
                self.fail("the game ended with %d before any error box" % game.process.returncode)
            box = probe("*", BOX_CLASS)   # a Japanese caption would not survive the command line
            if box.get("count", 0) > 0 and box.get("visible") == (1,):
                return box
            time.sleep(0.2)
        self.fail("no error box within %d s (%s)" % (timeout, harness.screenshot("damaged-no-box").path))

    def test_damaged_background_gives_the_error_box_and_the_game_runs_on(self):
        folder = self.game_folder()
        with Program(exe=os.path.join(folder, "pelmora.exe"), cwd=folder) as game:
            box = self.wait_error_box(game)
            self.assertEqual(box["count"], 1)
            self.assertEqual(box.get("caption"), ERROR_CAPTION)
            self.assertEqual(box.get("text"), "muDraw::LoadObject : BMPファイルを読み込めません")
            harness.screenshot("damaged-back-error-box")
            probe("*", BOX_CLASS, "ok")

            game.wait_window()
            game.move_to(600, 460)   # keyboard input goes to the window under the pointer
            # The piece falls in column 2: seen high, then lower.
            cap = view.wait_for(game, lambda c: view.top_of_blue(c, 2) is not None, 10,
                                "damaged-back-no-piece")
            first = view.top_of_blue(cap, 2)
            view.wait_for(game, lambda c: (view.top_of_blue(c, 2) or 0) >= first + 30, 10,
                          "damaged-back-no-fall").save("damaged-back-game")
            self.assertEqual(probe("*", BOX_CLASS)["count"], 0)   # one box only

            game.key("Escape")
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
