"""The showcase's build-time media, made into a scratch folder and read back:
WAVE files whose headers agree with their bytes and which never clip, a hum
that loops without a jump, a tune long enough to be streamed, a MIDI file
whose every track parses to its end with each note ended, a wipe whose
frames only ever cover more, and pictures of the sizes the pages use."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.environ.get("MU_SOURCE", os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__)))))
TOOLS = os.path.join(SOURCE, "tools")
sys.path.insert(0, TOOLS)
import showcase_pictures  # noqa: E402

OUT = tempfile.mkdtemp(prefix="mu-showcase-media-")


def tearDownModule():
    shutil.rmtree(OUT, ignore_errors=True)


def make(script):
    subprocess.run([sys.executable, os.path.join(TOOLS, script), OUT], check=True)


def read_wave(name):
    with open(os.path.join(OUT, name), "rb") as f:
        data = f.read()
    riff, size, wave, fmt, fmt_size, tag, channels, rate, rate_bytes, align, bits, chunk, \
        data_size = struct.unpack("<4sI4s4sIHHIIHH4sI", data[:44])
    return {"riff": riff, "size": size, "file": len(data), "wave": wave, "tag": tag,
            "channels": channels, "rate": rate, "rate_bytes": rate_bytes, "align": align,
            "bits": bits, "chunk": chunk, "data_size": data_size,
            "samples": struct.unpack("<%dh" % (data_size // 2), data[44:44 + data_size])}


def read_bmp(name):
    with open(os.path.join(OUT, name), "rb") as f:
        header = f.read(54)
    width, height = struct.unpack("<ii", header[18:26])
    return width, height


class ShowcaseSounds(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        make("showcase_sounds.py")

    def test_wave_headers_agree_with_their_bytes_and_nothing_clips(self):
        for name in ("blip.wav", "chime.wav", "laser.wav", "drum.wav", "engine.wav",
                     "music/music.wav", "music/fanfare.wav"):
            with self.subTest(name):
                w = read_wave(name)
                self.assertEqual((w["riff"], w["wave"], w["chunk"]), (b"RIFF", b"WAVE", b"data"))
                self.assertEqual(w["size"], w["file"] - 8)
                self.assertEqual(w["data_size"], w["file"] - 44)
                self.assertEqual((w["tag"], w["channels"], w["rate"], w["bits"]), (1, 1, 22050, 16))
                self.assertEqual((w["rate_bytes"], w["align"]), (44100, 2))
                self.assertLess(max(abs(s) for s in w["samples"]), 32767)
                self.assertGreater(max(abs(s) for s in w["samples"]), 3000)   # audible

    def test_the_hum_loops_without_a_jump_and_the_tune_can_stream(self):
        hum = read_wave("engine.wav")["samples"]
        step = max(abs(a - b) for a, b in zip(hum, hum[1:]))
        self.assertLessEqual(abs(hum[0] - hum[-1]), step)
        tune = read_wave("music/music.wav")
        seconds = len(tune["samples"]) / tune["rate"]
        self.assertGreaterEqual(seconds, 5)        # shorter sounds are not streamed

    def test_every_midi_track_parses_to_its_end_and_ends_each_note(self):
        with open(os.path.join(OUT, "tune.mid"), "rb") as f:
            data = f.read()
        self.assertEqual(data[:4], b"MThd")
        length, form, tracks, ticks = struct.unpack(">IHHH", data[4:14])
        self.assertEqual((length, form), (6, 1))
        at, seen = 14, 0
        while at < len(data):
            self.assertEqual(data[at:at + 4], b"MTrk")
            size = struct.unpack(">I", data[at + 4:at + 8])[0]
            body, at = data[at + 8:at + 8 + size], at + 8 + size
            sounding, i, last = set(), 0, None
            while i < len(body):
                while body[i] & 0x80:              # the delta time's continuation bytes
                    i += 1
                i += 1
                status = body[i]
                if status == 0xFF:                 # meta event: type, length, data
                    last = body[i + 1]
                    i += 3 + body[i + 2]
                    continue
                kind = status & 0xF0
                if kind == 0xC0:                   # program change: one data byte
                    i += 2
                    continue
                self.assertIn(kind, (0x80, 0x90))
                key, velocity = body[i + 1], body[i + 2]
                if kind == 0x90 and velocity > 0:
                    self.assertNotIn((status & 0x0F, key), sounding)
                    sounding.add((status & 0x0F, key))
                else:
                    sounding.discard((status & 0x0F, key))
                i += 3
            self.assertEqual(last, 0x2F)           # ends with the end-of-track event
            self.assertEqual(sounding, set())
            seen += 1
        self.assertEqual(seen, tracks)


class ShowcasePictures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        make("showcase_pictures.py")

    def test_pictures_have_the_sizes_the_pages_use(self):
        for name, width, height, _, _ in showcase_pictures.PICTURES:
            with self.subTest(name):
                self.assertEqual(read_bmp(name), (width, height))

    def test_each_wipe_frame_covers_what_the_one_before_did(self):
        black = (0, 0, 0)
        for frame in range(1, 10):
            for y in range(48):
                for x in range(64):
                    if showcase_pictures.wipe(64 * (frame - 1) + x, y) != black:
                        self.assertNotEqual(showcase_pictures.wipe(64 * frame + x, y), black,
                                            (frame, x, y))
        self.assertTrue(all(showcase_pictures.wipe(576 + x, y) != black
                            for x in range(64) for y in range(48)))


if __name__ == "__main__":
    unittest.main(verbosity=2)
