#!/usr/bin/env python3
"""Draws the program icon: a red seven-segment "8." on black inside a grey
frame, written as 32-bit PNGs of 16, 24, 32 and 64 pixels.

The design lives on a 64 x 64 grid; each smaller size is sampled from it
with 4 x 4 samples per pixel so that thin segments stay visible.
Run: python3 make_icon.py  (writes vexilor-<size>.png next to this file)
"""

import os
import struct
import zlib

SIZES = (16, 24, 32, 64)
GRID = 64.0
SAMPLES = 4

FRAME = (150, 150, 150)
FRAME_LIGHT = (210, 210, 210)
BLACK = (0, 0, 0)
RED = (255, 24, 24)

# The digit cell: left, right, top, bottom and segment thickness.
LEFT, RIGHT, TOP, BOTTOM, THICK = 12.0, 40.0, 9.0, 55.0, 6.0
MIDDLE = (TOP + BOTTOM) / 2.0
GAP = 1.0


def segments():
    half = THICK / 2.0
    across = (LEFT + THICK + GAP, RIGHT - THICK - GAP)
    upper = (TOP + THICK / 2.0 + GAP, MIDDLE - GAP)
    lower = (MIDDLE + GAP, BOTTOM - THICK / 2.0 - GAP)
    return [
        (across[0], TOP, across[1], TOP + THICK),  # top
        (across[0], MIDDLE - half, across[1], MIDDLE + half),  # middle
        (across[0], BOTTOM - THICK, across[1], BOTTOM),  # bottom
        (LEFT, upper[0], LEFT + THICK, upper[1]),  # upper left
        (LEFT, lower[0], LEFT + THICK, lower[1]),  # lower left
        (RIGHT - THICK, upper[0], RIGHT, upper[1]),  # upper right
        (RIGHT - THICK, lower[0], RIGHT, lower[1]),  # lower right
    ]


SEGMENTS = segments()
POINT = (RIGHT + 9.0, BOTTOM - 4.0, 4.5)


def colour_at(x, y):
    """The design's colour at a point of the 64 x 64 grid."""
    if x < 2.0 or y < 2.0 or x > GRID - 2.0 or y > GRID - 2.0:
        return FRAME_LIGHT
    if x < 5.0 or y < 5.0 or x > GRID - 5.0 or y > GRID - 5.0:
        return FRAME
    for left, top, right, bottom in SEGMENTS:
        if left <= x < right and top <= y < bottom:
            return RED
    cx, cy, r = POINT
    if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
        return RED
    return BLACK


def render(size):
    scale = GRID / size
    rows = []
    for py in range(size):
        row = bytearray([0])  # filter type: none
        for px in range(size):
            total = [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    for i, c in enumerate(colour_at(x, y)):
                        total[i] += c
            count = SAMPLES * SAMPLES
            row += bytes(round(t / count) for t in total) + b"\xff"
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(size, pixels):
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for size in SIZES:
        with open(os.path.join(here, "vexilor-%d.png" % size), "wb") as out:
            out.write(png(size, render(size)))


if __name__ == "__main__":
    main()
