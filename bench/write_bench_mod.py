#!/usr/bin/env python3
"""Writes a 4-channel ProTracker module ("M.K.") of about 61 seconds for the
sound benchmark: two synthetic 8-bit samples (a square-ish lead and a noise
hat), eight patterns of a walking bass line, chords and hats, played in order
once. Usage: write_bench_mod.py <out.mod>"""
import math
import random
import struct
import sys

PERIODS = [856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113]


def sample_header(name, data, volume, loop):
    words = len(data) // 2
    loop_start, loop_words = (0, words) if loop else (0, 1)
    return struct.pack(">22sHBBHH", name.encode(), words, 0, volume, loop_start, loop_words)


def lead():
    # One cycle of a soft square wave, looped.
    return bytes((40 if i < 16 else -40) & 0xFF for i in range(32))


def hat():
    rng = random.Random(7)
    return bytes(int(rng.uniform(-90, 90) * math.exp(-i / 600)) & 0xFF for i in range(2400))


def cell(sample, note, effect=0, param=0):
    if sample == 0:
        return b"\0\0\0\0"
    period = PERIODS[note]
    return bytes([(sample & 0xF0) | (period >> 8), period & 0xFF,
                  ((sample & 0x0F) << 4) | effect, param])


def pattern(index):
    rows = []
    roots = [0, 5, 7, 3]
    root = roots[index % 4] + (index // 4) * 2
    for row in range(64):
        bass = cell(1, root + (0, 7, 12, 7)[row // 4 % 4]) if row % 4 == 0 else cell(0, 0)
        chord1 = cell(1, root + 16, 0xC, 24) if row % 16 == 0 else cell(0, 0)
        chord2 = cell(1, root + 19, 0xC, 24) if row % 16 == 8 else cell(0, 0)
        hats = cell(2, 24, 0xC, 40 if row % 2 == 0 else 20)
        rows.append(bass + chord1 + chord2 + hats)
    return b"".join(rows)


def main():
    samples = [("lead", lead(), 48, True), ("hat", hat(), 64, False)]
    out = bytearray(b"kstr bench".ljust(20, b"\0"))
    for i in range(31):
        if i < len(samples):
            out += sample_header(*samples[i])
        else:
            out += struct.pack(">22sHBBHH", b"", 0, 0, 0, 0, 1)
    orders = list(range(8))
    out += bytes([len(orders), 127]) + bytes(orders + [0] * (128 - len(orders)))
    out += b"M.K."
    for index in range(8):
        out += pattern(index)
    for _, data, _, _ in samples:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


main()
