#!/usr/bin/python3
"""Writes resources/tintora.png, the program's window and desktop icon.

Run with /usr/bin/python3 (Debian's python3-pil):
    /usr/bin/python3 tools/make_icon.py [output.png]

The phone of the About picture with a fan of colour swatches, drawn large on a
transparent square and scaled down to 64 x 64 pixels.
"""

import os
import sys

from PIL import Image

from make_about import phone, swatch_fan

SIZE = 64
CANVAS = 480


def build(path):
    s = 3
    canvas = Image.new("RGBA", (CANVAS, CANVAS), (0, 0, 0, 0))
    swatch_fan(canvas, 330, 440, s)
    phone(canvas, 120, 8, s)
    canvas.resize((SIZE, SIZE), Image.LANCZOS).save(path, "PNG", optimize=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources",
                                                               "tintora.png")
    build(path)
    print("wrote", os.path.normpath(path), os.path.getsize(path), "bytes")


if __name__ == "__main__":
    main()
