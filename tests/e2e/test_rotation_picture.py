"""Quarter turns of muDraw::RotateBlt against ImageMagick's.

The probe draws an asymmetric picture turned by 90 and by 270 degrees on the
real back screen under Wine and writes the picture and both results; ImageMagick
turns the same picture, and the two must agree pixel for pixel. On the screen,
with y growing downwards, the library's 90 degrees turn counter-clockwise
(ImageMagick's -90) and its 270 degrees clockwise (ImageMagick's 90).
"""
import os
import subprocess
import tempfile
import unittest

import harness


def rgb(path, *options):
    """The picture's width, height and RGB bytes, after ImageMagick's options."""
    size = subprocess.run(["convert", path, *options, "-format", "%w %h", "info:"],
                          capture_output=True, text=True, check=True).stdout.split()
    data = subprocess.run(["convert", path, *options, "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
    return int(size[0]), int(size[1]), data


def first_difference(width, a, b):
    for i in range(0, min(len(a), len(b)), 3):
        if a[i:i + 3] != b[i:i + 3]:
            return "(%d, %d): %s != %s" % ((i // 3) % width, (i // 3) // width,
                                           tuple(a[i:i + 3]), tuple(b[i:i + 3]))
    return "" if len(a) == len(b) else "sizes %d != %d" % (len(a), len(b))


class RotationPictureTest(unittest.TestCase):
    def test_quarter_turns_equal_imagemagicks(self):
        with tempfile.TemporaryDirectory() as out:
            code, text = harness.run_windows("rotation_probe.exe", "Z:" + out.replace("/", "\\"))
            self.assertEqual(code, 0, text)
            source = os.path.join(out, "source.ppm")
            width, height, _ = rgb(source)
            self.assertEqual((width, height), (41, 27))
            for angle, turn in ((90, "-90"), (270, "90")):
                expected = rgb(source, "-rotate", turn)
                turned = rgb(os.path.join(out, "turned%d.ppm" % angle))
                self.assertEqual(turned[:2], (27, 41))
                self.assertEqual(expected[:2], turned[:2])
                self.assertEqual(first_difference(27, turned[2], expected[2]), "",
                                 "angle %d against -rotate %s" % (angle, turn))
                self.assertNotEqual(turned[2], rgb(source, "-rotate", "90" if turn == "-90" else "-90")[2])


if __name__ == "__main__":
    unittest.main(verbosity=2)
