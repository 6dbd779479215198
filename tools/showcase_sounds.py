#!/usr/bin/env python3
"""Synthesises the showcase's sounds: WAVE files and a standard MIDI file.

    showcase_sounds.py <output directory>

Everything is computed (the noise from a fixed-seed generator); the output is
the same on every run. The WAVE files are PCM, 22050 Hz, 16-bit, mono.

    blip.wav     0.12 s  a short rising square blip
    chime.wav    1.5 s   a bell: three inharmonic partials dying away
    laser.wav    0.4 s   a falling sweep
    drum.wav     0.3 s   a low thump with a little noise
    engine.wav   1.0 s   a hum of whole cycles, so that it loops without a click
    tune.mid     a format-1 MIDI piece: melody, bass and chords, 16 bars
    music/music.wav    16 s   eight bars of the same tune, for streaming
    music/fanfare.wav  1.2 s  a rising arpeggio

The sounds of music/ are what the showcase's sound pack is made from.
"""
import math
import os
import struct
import sys
from array import array

RATE = 22050

# ---- WAVE ------------------------------------------------------------------


def write_wave(path, samples):
    """samples: floats in -1..1, written as 16-bit PCM."""
    data = array('h', (max(-32767, min(32767, int(round(s * 32767)))) for s in samples))
    if sys.byteorder != 'little':
        data.byteswap()
    raw = data.tobytes()
    header = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(raw), b'WAVE', b'fmt ', 16, 1, 1,
                         RATE, RATE * 2, 2, 16, b'data', len(raw))
    with open(path, 'wb') as f:
        f.write(header + raw)


class Noise:
    """A 32-bit linear congruential generator: values in -1..1."""

    def __init__(self, seed=12345):
        self.state = seed

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def blip():
    n = int(RATE * 0.12)
    out, phase = [], 0.0
    for i in range(n):
        t = i / n
        phase += (880 + 440 * t) / RATE
        square = 1.0 if (phase % 1.0) < 0.5 else -1.0
        out.append(0.35 * square * (1 - t) ** 2)
    return out


def chime():
    n = int(RATE * 1.5)
    partials = ((1.0, 1.0, 3.0), (2.76, 0.5, 5.0), (5.4, 0.25, 8.0))
    out = []
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.004)
        s = sum(a * math.exp(-d * t) * math.sin(2 * math.pi * 660 * f * t) for f, a, d in partials)
        out.append(0.4 * attack * s)
    return out


def laser():
    n = int(RATE * 0.4)
    out, phase = [], 0.0
    for i in range(n):
        t = i / n
        phase += (1800 * (1 - t) ** 2 + 200) / RATE
        saw = 2 * (phase % 1.0) - 1
        out.append(0.3 * saw * (1 - t))
    return out


def drum():
    n = int(RATE * 0.3)
    noise, out, phase = Noise(), [], 0.0
    for i in range(n):
        t = i / RATE
        phase += (50 + 70 * math.exp(-t * 30)) / RATE
        body = math.sin(2 * math.pi * phase) * math.exp(-t * 9)
        out.append(0.7 * body + 0.15 * noise.next() * math.exp(-t * 40))
    return out


def engine():
    # 110 and 220 Hz and 55 Hz fit a whole number of times into one second.
    out = []
    for i in range(RATE):
        t = i / RATE
        s = (0.5 * math.sin(2 * math.pi * 55 * t) + 0.3 * math.sin(2 * math.pi * 110 * t)
             + 0.15 * math.sin(2 * math.pi * 220 * t + 0.5 * math.sin(2 * math.pi * 5 * t)))
        out.append(0.45 * s)
    return out


# ---- The tune (shared by the streamed WAVE and the MIDI piece) -------------

BEAT = 0.5          # seconds per quarter note (120 beats a minute)
CHORDS = [(57, 60, 64), (53, 57, 60), (48, 52, 55), (55, 59, 62)]   # Am F C G, MIDI keys
MELODY = [          # (start beat, length in beats, key) over four bars, played twice
    (0, 1, 76), (1, 1, 74), (2, 2, 72), (4, 1, 69), (5, 1, 72), (6, 2, 74),
    (8, 1, 72), (9, 1, 71), (10, 2, 67), (12, 1, 71), (13, 1, 74), (14, 2, 79),
]


def notes(bars=8):
    """(start beat, beats, key, voice) of the whole tune; voice 0 melody, 1 bass, 2 chord."""
    out = []
    for bar in range(bars):
        root = CHORDS[bar % 4]
        out.append((bar * 4, 4, root[0] - 12, 1))
        for beat in range(4):
            for key in root:
                out.append((bar * 4 + beat + 0.5, 0.5, key, 2))
    for repeat in range(bars // 4):
        for start, length, key in MELODY:
            out.append((repeat * 16 + start, length, key, 0))
    return out


def frequency(key):
    return 440.0 * 2 ** ((key - 69) / 12)


def music(bars=8):
    total = int(bars * 4 * BEAT * RATE)
    mixbuf = array('f', bytes(4 * total))
    for start, beats, key, voice in notes(bars):
        first = int(start * BEAT * RATE)
        length = int(beats * BEAT * RATE)
        f = frequency(key)
        gain = (0.22, 0.3, 0.06)[voice]
        for i in range(min(length, total - first)):
            t = i / RATE
            env = min(1.0, t / 0.01) * math.exp(-t * (3.0 if voice == 0 else 1.5))
            env *= min(1.0, (length - i) / (0.01 * RATE))
            if voice == 1:
                s = math.sin(2 * math.pi * f * t) + 0.3 * math.sin(4 * math.pi * f * t)
            else:
                s = math.sin(2 * math.pi * f * t + 0.8 * math.sin(2 * math.pi * 2 * f * t) * env)
            mixbuf[first + i] += gain * env * s
    return list(mixbuf)


def fanfare():
    out = [0.0] * int(RATE * 1.2)
    for i, key in enumerate((72, 76, 79, 84)):
        first, f = int(i * 0.12 * RATE), frequency(key)
        for j in range(len(out) - first):
            t = j / RATE
            out[first + j] += 0.2 * math.exp(-t * 2.5) * min(1.0, t / 0.005) * (
                math.sin(2 * math.pi * f * t) + 0.3 * math.sin(6 * math.pi * f * t))
    return out


# ---- MIDI ------------------------------------------------------------------


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def track(events):
    """events: (tick, bytes) in any order; returns an MTrk chunk."""
    body, now = bytearray(), 0
    for tick, data in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        body += varlen(tick - now) + data
        now = tick
    body += b'\x00\xff\x2f\x00'
    return b'MTrk' + struct.pack('>I', len(body)) + bytes(body)


def tune_midi(bars=16):
    ticks = 96
    tempo = int(BEAT * 1_000_000)
    meta = [(0, b'\xff\x51\x03' + tempo.to_bytes(3, 'big')),
            (0, b'\xff\x03\x04' + b'tune')]
    programs = {0: 10, 1: 33, 2: 0}     # music box, fingered bass, piano
    tracks = [track(meta)]
    for voice, program in programs.items():
        channel = voice
        events = [(0, bytes((0xC0 | channel, program)))]
        for start, beats, key, v in notes(bars):
            if v != voice:
                continue
            on, off = int(start * ticks), int((start + beats) * ticks) - 1
            velocity = (100, 90, 60)[voice]
            events.append((on, bytes((0x90 | channel, key, velocity))))
            events.append((off, bytes((0x80 | channel, key, 64))))
        tracks.append(track(events))
    header = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), ticks)
    return header + b''.join(tracks)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: showcase_sounds.py <output directory>\n")
        return 2
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "music"), exist_ok=True)
    for name, make in (("blip", blip), ("chime", chime), ("laser", laser), ("drum", drum),
                       ("engine", engine), ("music/music", music), ("music/fanfare", fanfare)):
        write_wave(os.path.join(out, name + ".wav"), make())
    with open(os.path.join(out, "tune.mid"), "wb") as f:
        f.write(tune_midi())
    return 0


if __name__ == "__main__":
    sys.exit(main())
