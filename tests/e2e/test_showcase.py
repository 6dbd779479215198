"""The showcase driven through every page: each page is reached with the Right
arrow (its opening is read from DEBUG.TXT), a page that animates changes its
picture between two captures, the page view turns on and scrolls, the sound
pages are heard (Wine's output is recorded to a file), F12 saves the screen
as a BMP file, the arrows and the footer buttons wrap round, and Escape ends
the program with exit code 0. Every page's picture is saved as
showcase-<number>-<name>.png among the test screenshots."""
import glob
import os
import re
import struct
import tempfile
import time
import unittest

import harness
from harness import Program
import game_view as view

LOG_LINE = re.compile(r"page (\d+) of (\d+): (\w+) \((\w+)\)((?:, \w+)*)")
DEMO = (0, 40, 640, 352)           # left, top, right, bottom of the pages' own picture
NEXT_BUTTON = (584, 469)           # client centres of the footer buttons
PREVIOUS_BUTTON = (56, 469)
RECORD_HEADER = 44                 # Wine's recording: 48000 Hz, 2 channels, 32-bit samples
SOUND_PAGES = ("effects", "stream")
SHOT_BYTES = 58 + 640 * 3 * 480    # a 640 x 480 screenshot: headers and 24-bit rows


class Page:
    def __init__(self, match):
        self.number, self.count = int(match.group(1)), int(match.group(2))
        self.name, self.group = match.group(3), match.group(4)
        flags = match.group(5)
        self.animated, self.gallery = ", animated" in flags, ", gallery" in flags


def pages_opened(show):
    return [Page(m) for m in LOG_LINE.finditer(show.debug_txt())]


def changed_pixels(a, b, box=DEMO):
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom, 2) for x in range(left, right, 2)
               if a.pixel(x, y) != b.pixel(x, y))


def loudest(path, start):
    """Peak of the recorded samples after byte `start` (0 when none), as a share of full scale."""
    with open(path, "rb") as f:
        f.seek(max(start, RECORD_HEADER))
        data = f.read()
    data = data[:len(data) // 4 * 4]
    if not data:
        return 0.0
    samples = struct.unpack("<%di" % (len(data) // 4), data)
    return max(abs(s) for s in samples) / 2147483648.0


class ShowcaseTest(unittest.TestCase):
    def setUp(self):
        # Wine's sound goes to a file through an ALSA file device.
        self.config = tempfile.mkdtemp(prefix="mu-showcase-sound-")
        self.record = os.path.join(self.config, "record.wav")
        os.makedirs(os.path.join(self.config, "alsa"))
        with open(os.path.join(self.config, "alsa", "asoundrc"), "w") as f:
            f.write('pcm.!default { type file slave.pcm "null" file "%s" format "wav" }\n'
                    % self.record)
        self.saved_config = os.environ.get("XDG_CONFIG_HOME")
        os.environ["XDG_CONFIG_HOME"] = self.config

    def tearDown(self):
        if self.saved_config is None:
            os.environ.pop("XDG_CONFIG_HOME", None)
        else:
            os.environ["XDG_CONFIG_HOME"] = self.saved_config

    def wait_page(self, show, number, opened, retry_key=None):
        """Waits until page `number` has opened once more than `opened` pages so far;
        taps retry_key again if a press went unseen. Returns (page, pages opened)."""
        deadline = time.time() + 20
        next_retry = time.time() + 3
        while True:
            log = pages_opened(show)
            if len(log) > opened:
                self.assertEqual(log[-1].number, number, "page order: %s"
                                 % [p.number for p in log])
                return log[-1], len(log)
            self.assertLess(time.time(), deadline, "page %d never opened" % number)
            if retry_key and time.time() > next_retry:
                self.tap(show, retry_key)
                next_retry = time.time() + 3
            time.sleep(0.1)

    def tap(self, show, key, hold=0.1):
        show.key_down(key)
        time.sleep(hold)
        show.key_up(key)
        time.sleep(0.05)

    def check_animation(self, show, page):
        first = view.capture(show)
        time.sleep(0.3)
        second = view.capture(show)
        name = "showcase-%02d-%s" % (page.number, page.name)
        path = second.save(name)
        if page.animated:
            moved = changed_pixels(first, second)
            self.assertGreater(moved, 50, "page %d (%s) stood still: %s"
                               % (page.number, page.name, path))
        return second

    def check_page_view(self, show):
        """Space turns the page view on over the demo area; it scrolls its tiles by
        itself and its page with the Down arrow; Space turns it off again."""
        before = view.capture(show)
        self.tap(show, "space")
        time.sleep(0.5)
        on = view.capture(show)
        self.assertGreater(changed_pixels(before, on), 1000, "no page view: %s"
                           % on.save("showcase-pageview-off"))
        show.key_down("Down")
        time.sleep(0.6)
        show.key_up("Down")
        scrolled = view.capture(show)
        self.assertGreater(changed_pixels(on, scrolled), 1000, "the page did not scroll: %s"
                           % scrolled.save("showcase-pageview-scroll"))
        scrolled.save("showcase-pageview-on")
        self.tap(show, "space")
        time.sleep(0.5)

    def check_screenshot_key(self, show):
        """F12 writes the screen beside the executable as the next shotNNN.bmp."""
        before = set(glob.glob(os.path.join(harness.BIN, "shot*.bmp")))
        self.tap(show, "F12")
        deadline = time.time() + 10
        while True:
            made = set(glob.glob(os.path.join(harness.BIN, "shot*.bmp"))) - before
            if made and os.path.getsize(next(iter(made))) == SHOT_BYTES:
                break
            self.assertLess(time.time(), deadline, "F12 saved no screenshot: %s" % made)
            time.sleep(0.2)
        for path in made:
            with open(path, "rb") as f:
                self.assertEqual(f.read(2), b"BM")
            os.remove(path)

    def test_every_page_and_the_ways_between_them(self):
        with Program("showcase.exe", caption="mu showcase") as show:
            show.wait_window()
            # The keyboard goes to the window under the pointer: keep it inside,
            # away from the buttons and the contents' links.
            show.move_to(620, 330)
            first, opened = self.wait_page(show, 1, 0)
            count = first.count
            self.assertGreaterEqual(count, 10)
            page = first
            for number in range(1, count + 1):
                time.sleep(1.0)   # the page's opening curtain
                if page.name in SOUND_PAGES:
                    start = os.path.getsize(self.record) if os.path.exists(self.record) else 0
                self.check_animation(show, page)
                if page.name == "pageview":
                    self.check_page_view(show)
                if page.name == "packs":
                    self.check_screenshot_key(show)
                if page.name in SOUND_PAGES:
                    time.sleep(1.5)
                    self.assertTrue(os.path.exists(self.record), "no sound device was opened")
                    self.assertGreater(loudest(self.record, start), 0.01,
                                       "the %s page played nothing" % page.name)
                self.tap(show, "Right")
                page, opened = self.wait_page(show, number % count + 1, opened, "Right")

            # Round again from the first page: back with Left, then the buttons.
            self.tap(show, "Left")
            page, opened = self.wait_page(show, count, opened, "Left")
            show.move_to(*NEXT_BUTTON)
            show.click()
            page, opened = self.wait_page(show, 1, opened)
            show.move_to(*PREVIOUS_BUTTON)
            show.click()
            page, opened = self.wait_page(show, count, opened)

            show.move_to(620, 330)
            show.key("Escape")
            self.assertEqual(show.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
