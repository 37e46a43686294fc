#!/usr/bin/python3
"""Writes three photograph-like pictures for the design help's documentation as PPM files:
a harbour at night, a beach at noon and a field at dusk, 320 x 240, with grain.

    /usr/bin/python3 tools/make_design_pictures.py OUTPUT-FOLDER

tools/make_design_docs.sh turns them into JPEG and shows what suggest makes of them.
"""

import math
import os
import random
import sys


def clamp(v):
    return max(0, min(255, int(v)))


def harbour(x, y, rnd):
    if y < 140:
        if (x * 7 + y * 3) % 97 == 0 and y > 60:
            return (240, 190, 90)  # a lit window
        t = y / 140
        return (10 + 20 * t, 15 + 25 * t, 40 + 40 * t + rnd.randint(-3, 3))
    if y < 148:
        return (0, 0, 0)
    ripple = 8 * math.sin(x / 6 + y / 3)
    return (15, clamp(25 + ripple + rnd.randint(-6, 6)), clamp(45 + ripple + rnd.randint(-10, 10)))


def beach(x, y, rnd):
    cloud = math.hypot(x - 80, (y - 40) * 2) < 36 or math.hypot(x - 230, (y - 60) * 2) < 28
    if y < 100:
        return (250, 250, 252) if cloud else (170 - y // 4, 210 - y // 6, 245)
    if y < 140:
        return (40, clamp(140 + rnd.randint(-10, 10)), clamp(170 + rnd.randint(-10, 10)))
    g = rnd.randint(-8, 8)
    return (clamp(235 + g), clamp(220 + g), clamp(180 + g))


def dusk(x, y, rnd):
    if y < 140:
        return (220, 110 + y // 2, 60 + y // 3)
    g = rnd.randint(0, 7) * 8
    return (30, 120 + g, 40 + g)


def main():
    folder = sys.argv[1]
    for name, paint in (("harbour", harbour), ("beach", beach), ("dusk", dusk)):
        rnd = random.Random(7)
        width, height = 320, 240
        rows = bytearray()
        for y in range(height):
            for x in range(width):
                rows += bytes(clamp(c) for c in paint(x, y, rnd))
        with open(os.path.join(folder, name + ".ppm"), "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (width, height) + rows)


if __name__ == "__main__":
    main()
