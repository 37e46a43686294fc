#!/usr/bin/python3
"""Writes the program's icon: the window icon and the desktop icons.

Run with /usr/bin/python3 (Debian's python3-pil):
    /usr/bin/python3 tools/make_icon.py [resources-folder]

A candy-bar phone showing a colour scheme, in front of a fan of colour swatches,
as in the About picture. The drawing is one list of shapes on a 256-unit
square, written out twice: as SVG (icons/app.tintora.Tintora.svg) and drawn
with PIL, four times oversized and averaged down, into the PNGs
icons/app.tintora.Tintora-N.png for N = 16, 32, 48, 64, 128, 256 and the
window icon tintora.png (64 pixels). Below 48 pixels the fine parts (keypad,
screen tiles, card shades) are left out, so the small icons stay legible.
"""

import math
import os
import sys

from PIL import Image, ImageDraw

ICON_ID = "app.tintora.Tintora"
SIZES = (16, 32, 48, 64, 128, 256)
UNITS = 256
OVERSAMPLE = 4
FINE_FROM = 48

INK = (28, 22, 40)
CARDS = [(230, 60, 50), (250, 150, 30), (250, 220, 50), (90, 190, 70),
         (40, 170, 190), (60, 110, 220), (140, 80, 200)]
TILES = [(220, 70, 60), (250, 180, 40), (70, 170, 80),
         (60, 130, 220), (150, 80, 190), (240, 120, 170)]


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def rect(x0, y0, x1, y1, fill, radius=0, outline=None, width=0, angle=0,
         pivot=(0, 0), fine=False):
    return dict(kind="rect", box=(x0, y0, x1, y1), radius=radius, fill=fill,
                outline=outline, width=width, angle=angle, pivot=pivot, fine=fine)


def circle(cx, cy, r, fill, outline=None, width=0, fine=False):
    return dict(kind="circle", centre=(cx, cy), r=r, fill=fill, outline=outline,
                width=width, fine=fine)


def shapes():
    out = []
    # The swatch fan behind the phone, pinned at the lower right.
    pin = (190, 222)
    length, breadth = 150, 34
    for k, colour in enumerate(CARDS):
        angle = -165 + k * 16
        x0, y0 = pin[0] - 12, pin[1] - breadth / 2
        out.append(rect(x0, y0, x0 + length, y0 + breadth, colour, radius=8,
                        outline=INK, width=4, angle=angle, pivot=pin))
        for j in range(2):
            sx = x0 + length - 30 - j * 26
            out.append(rect(sx, y0 + 8, sx + 18, y0 + breadth - 8,
                            lerp(colour, (255, 255, 255), 0.3 + 0.25 * j),
                            angle=angle, pivot=pin, fine=True))
    out.append(circle(pin[0], pin[1], 11, (220, 220, 232), INK, 4))

    # The phone.
    x, y = 34, 12
    out.append(rect(x, y, x + 116, y + 232, (70, 76, 92), radius=26, outline=INK,
                    width=6))
    out.append(rect(x + 44, y + 12, x + 72, y + 18, (30, 30, 40), radius=3, fine=True))
    sx, sy, sw, sh = x + 13, y + 28, 90, 96
    out.append(rect(sx - 3, sy - 3, sx + sw + 3, sy + sh + 3, (10, 10, 14)))
    out.append(rect(sx, sy, sx + sw, sy + sh, (248, 222, 168)))
    out.append(rect(sx, sy, sx + sw, sy + 16, (60, 120, 220)))
    out.append(rect(sx, sy + sh - 16, sx + sw, sy + sh, (90, 50, 150)))
    for k, colour in enumerate(TILES):
        tx = sx + 8 + (k % 3) * 27
        ty = sy + 24 + (k // 3) * 26
        out.append(rect(tx, ty, tx + 20, ty + 18, colour, radius=4, fine=True))
    # Without the tiles a small icon still shows a coloured screen.
    out.append(rect(sx + 12, sy + 28, sx + sw - 12, sy + sh - 28, (230, 90, 70),
                    radius=6, fine=None))
    ky = y + 138
    out.append(rect(x + 12, ky, x + 38, ky + 12, (200, 206, 220), radius=5))
    out.append(rect(x + 78, ky, x + 104, ky + 12, (200, 206, 220), radius=5))
    out.append(circle(x + 58, ky + 6, 13, (200, 206, 220), INK, 3))
    for row in range(3):
        for col in range(3):
            bx = x + 16 + col * 30
            by = y + 166 + row * 20
            out.append(rect(bx, by, bx + 24, by + 13, (214, 218, 228), radius=4,
                            fine=True))
    return out


def wanted(shape, large):
    """fine=True shapes belong to large icons only, fine=None to small ones only."""
    if shape["fine"] is None:
        return not large
    return large or not shape["fine"]


def svg(path):
    def colour(c):
        return "#%02x%02x%02x" % c

    def paint(s):
        text = 'fill="%s"' % colour(s["fill"])
        if s["outline"]:
            text += ' stroke="%s" stroke-width="%g"' % (colour(s["outline"]), s["width"])
        return text

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
             'viewBox="0 0 %d %d">' % (UNITS, UNITS, UNITS, UNITS),
             '  <title>Tintora</title>']
    for s in shapes():
        if not wanted(s, True):
            continue
        if s["kind"] == "circle":
            lines.append('  <circle cx="%g" cy="%g" r="%g" %s/>'
                         % (s["centre"] + (s["r"], paint(s))))
            continue
        x0, y0, x1, y1 = s["box"]
        if s["angle"]:
            lines.append('  <path d="%s" %s/>' % (turned_path(s), paint(s)))
            continue
        extra = ' rx="%g"' % s["radius"] if s["radius"] else ""
        lines.append('  <rect x="%g" y="%g" width="%g" height="%g"%s %s/>'
                     % (x0, y0, x1 - x0, y1 - y0, extra, paint(s)))
    lines.append("</svg>")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def turn(s, u, v):
    """The point (u, v) of a shape, turned about the shape's pivot by its angle."""
    a = math.radians(s["angle"])
    px, py = s["pivot"]
    du, dv = u - px, v - py
    return (px + du * math.cos(a) - dv * math.sin(a),
            py + du * math.sin(a) + dv * math.cos(a))


def turned_path(s):
    """A turned rounded rectangle as an SVG path: plain transforms trip some renderers."""
    x0, y0, x1, y1 = s["box"]
    r = s["radius"]
    corners = [((x0 + r, y0), (x1 - r, y0), (x1, y0 + r)),
               ((x1, y0 + r), (x1, y1 - r), (x1 - r, y1)),
               ((x1 - r, y1), (x0 + r, y1), (x0, y1 - r)),
               ((x0, y1 - r), (x0, y0 + r), (x0 + r, y0))]
    d = "M %.2f %.2f" % turn(s, *corners[0][0])
    for _, line_end, arc_end in corners:
        d += " L %.2f %.2f" % turn(s, *line_end)
        d += " A %g %g 0 0 1 %.2f %.2f" % ((r, r) + turn(s, *arc_end))
    return d + " Z"


def outline_points(s, k):
    """The rectangle's outline as a polygon, corners rounded, rotated about its pivot."""
    x0, y0, x1, y1 = s["box"]
    r = min(s["radius"], (x1 - x0) / 2, (y1 - y0) / 2)
    points = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90),
               (x0 + r, y0 + r, 180)]
    for cx, cy, start in corners:
        steps = 8 if r else 0
        for i in range(steps + 1):
            a = math.radians(start + 90 * i / max(1, steps))
            points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return [tuple(c * k for c in turn(s, u, v)) for u, v in points]


def png(size):
    k = size * OVERSAMPLE / UNITS
    image = Image.new("RGBA", (size * OVERSAMPLE,) * 2, (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for s in shapes():
        if not wanted(s, size >= FINE_FROM):
            continue
        outline = s["outline"] and s["outline"] + (255,)
        width = max(1, round(s["width"] * k)) if outline else 0
        # Strokes are centred on the edge, as in SVG: the outline is drawn around the fill.
        if s["kind"] == "circle":
            cx, cy = s["centre"]
            r = s["r"]
            draw.ellipse(((cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k),
                         fill=s["fill"] + (255,))
            if outline:
                draw.ellipse(((cx - r) * k - width / 2, (cy - r) * k - width / 2,
                              (cx + r) * k + width / 2, (cy + r) * k + width / 2),
                             outline=outline, width=width)
            continue
        polygon = outline_points(s, k)
        draw.polygon(polygon, fill=s["fill"] + (255,))
        if outline:
            draw.line(polygon + polygon[:1], fill=outline, width=width, joint="curve")
    # A box filter: sharper filters ring, and would leave the corners faintly opaque.
    return image.reduce(OVERSAMPLE)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    icons = os.path.join(folder, "icons")
    os.makedirs(icons, exist_ok=True)
    written = [os.path.join(icons, ICON_ID + ".svg")]
    svg(written[0])
    for size in SIZES:
        path = os.path.join(icons, "%s-%d.png" % (ICON_ID, size))
        png(size).save(path, "PNG", optimize=True)
        written.append(path)
    window = os.path.join(folder, "tintora.png")
    png(64).save(window, "PNG", optimize=True)
    written.append(window)
    for path in written:
        print("wrote", os.path.normpath(path), os.path.getsize(path), "bytes")


if __name__ == "__main__":
    main()
