#!/usr/bin/python3
"""Writes resources/about.jpg, the picture of the About box.

Run with /usr/bin/python3 (Debian's python3-pil), after make_font.py:
    /usr/bin/python3 tools/make_about.py [output.jpg]

A phone showing a colour scheme beside a fan of colour swatches, drawn at
three times the size and scaled down for smooth edges; the name is set in
our own pixel font. 333 x 236 pixels, RGB, baseline JPEG.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 333, 236
SCALE = 3


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    for y in range(y0, y1 + 1):
        t = (y - y0) / max(1, y1 - y0)
        draw.line([(x0, y), (x1, y)], fill=lerp(top, bottom, t))


def background(image):
    draw = ImageDraw.Draw(image)
    w, h = image.size
    for y in range(h):
        t = y / (h - 1)
        draw.line([(0, y), (w, y)], fill=lerp((34, 52, 96), (92, 40, 110), t))
    # Soft light rings behind the phone.
    glow = Image.new("L", image.size, 0)
    gdraw = ImageDraw.Draw(glow)
    cx, cy = int(w * 0.3), int(h * 0.5)
    for r in range(int(h * 0.6), 0, -6):
        gdraw.ellipse((cx - r, cy - r, cx + r, cy + r),
                      fill=int(70 * (1 - r / (h * 0.6))))
    image.paste((120, 200, 255), mask=glow)


def phone(image, x, y, s):
    """A candy-bar phone, top-left corner (x, y), s pixels per unit."""
    draw = ImageDraw.Draw(image)
    body = (x, y, x + 70 * s, y + 150 * s)
    draw.rounded_rectangle((body[0] + 4 * s, body[1] + 5 * s, body[2] + 4 * s,
                            body[3] + 5 * s), radius=16 * s, fill=(18, 18, 30))
    draw.rounded_rectangle(body, radius=16 * s, fill=(70, 76, 92),
                           outline=(20, 20, 28), width=s * 2)
    draw.rounded_rectangle((x + 4 * s, y + 4 * s, x + 66 * s, y + 146 * s),
                           radius=13 * s, outline=(130, 138, 156), width=s)
    # Earpiece.
    draw.rounded_rectangle((x + 27 * s, y + 9 * s, x + 43 * s, y + 12 * s),
                           radius=s * 2, fill=(30, 30, 40))
    # Screen: the colour scheme in miniature.
    sx, sy, sw = x + 9 * s, y + 17 * s, 52 * s
    draw.rectangle((sx - s, sy - s, sx + sw + s, sy + sw + s), fill=(10, 10, 14))
    vertical_gradient(draw, (sx, sy, sx + sw, sy + sw), (250, 236, 200),
                      (246, 196, 120))
    vertical_gradient(draw, (sx, sy, sx + sw, sy + 7 * s), (40, 90, 200),
                      (120, 180, 250))
    tiles = [(220, 70, 60), (250, 180, 40), (70, 170, 80),
             (60, 130, 220), (150, 80, 190), (240, 120, 170),
             (40, 180, 190), (250, 140, 40), (120, 200, 90)]
    for k, colour in enumerate(tiles):
        tx = sx + 4 * s + (k % 3) * 16 * s
        ty = sy + 10 * s + (k // 3) * 11 * s
        draw.rounded_rectangle((tx, ty, tx + 12 * s, ty + 8 * s), radius=2 * s,
                               fill=colour, outline=(60, 40, 30), width=max(1, s // 2))
    vertical_gradient(draw, (sx, sy + 44 * s, sx + sw, sy + sw),
                      (90, 60, 150), (40, 20, 90))
    for kx in (sx + 3 * s, sx + 37 * s):
        draw.rectangle((kx, sy + 47 * s, kx + 12 * s, sy + 49 * s),
                       fill=(250, 250, 250))
    # Keys: soft keys, a round navigation key and a 3 x 4 keypad.
    ky = y + 76 * s
    draw.rounded_rectangle((x + 8 * s, ky, x + 24 * s, ky + 7 * s), radius=3 * s,
                           fill=(200, 206, 220))
    draw.rounded_rectangle((x + 46 * s, ky, x + 62 * s, ky + 7 * s), radius=3 * s,
                           fill=(200, 206, 220))
    draw.ellipse((x + 27 * s, ky - 2 * s, x + 43 * s, ky + 14 * s),
                 fill=(200, 206, 220), outline=(40, 40, 50), width=s)
    draw.ellipse((x + 32 * s, ky + 3 * s, x + 38 * s, ky + 9 * s),
                 fill=(120, 126, 140))
    for row in range(4):
        for col in range(3):
            bx = x + 10 * s + col * 18 * s
            by = y + 96 * s + row * 12 * s
            draw.rounded_rectangle((bx, by, bx + 14 * s, by + 8 * s),
                                   radius=3 * s, fill=(214, 218, 228),
                                   outline=(40, 40, 50), width=max(1, s // 2))


def swatch_fan(image, cx, cy, s):
    """Colour sample cards fanned out from a pin at (cx, cy)."""
    colours = [(230, 60, 50), (250, 150, 30), (250, 220, 50), (90, 190, 70),
               (40, 170, 190), (60, 110, 220), (140, 80, 200), (230, 90, 160)]
    length, width = 92 * s, 20 * s
    for k, colour in enumerate(colours):
        angle = math.radians(-150 + k * 15)
        card = Image.new("RGBA", (length, width), (0, 0, 0, 0))
        cdraw = ImageDraw.Draw(card)
        cdraw.rounded_rectangle((0, 0, length - 1, width - 1), radius=5 * s,
                                fill=colour + (255,), outline=(30, 20, 40, 255),
                                width=s)
        for j in range(3):
            shade = lerp(colour, (255, 255, 255), 0.25 + 0.2 * j)
            cdraw.rectangle((length - (j + 1) * 18 * s, 4 * s,
                             length - (j + 1) * 18 * s + 12 * s, width - 5 * s),
                            fill=shade + (255,))
        rotated = card.rotate(-math.degrees(angle), expand=True,
                              resample=Image.BICUBIC)
        # The card's near end sits on the pin.
        ox = cx + math.cos(angle) * length / 2 - rotated.width / 2
        oy = cy + math.sin(angle) * length / 2 - rotated.height / 2
        image.paste(rotated, (int(ox), int(oy)), rotated)
    draw = ImageDraw.Draw(image)
    draw.ellipse((cx - 6 * s, cy - 6 * s, cx + 6 * s, cy + 6 * s),
                 fill=(220, 220, 230), outline=(30, 20, 40), width=s)


def title(image, font_path):
    """The name in the 1st Sortie font, pixels blown up four times."""
    font = ImageFont.truetype(font_path, 13)
    text = "Tintora"
    left, top, right, bottom = font.getbbox(text)
    small = Image.new("L", (right + 2, 14), 0)
    ImageDraw.Draw(small).text((1, 0), text, font=font, fill=255)
    small = small.point(lambda v: 255 if v >= 128 else 0)
    big = small.resize((small.width * 4, small.height * 4), Image.NEAREST)
    return big


def build(path, font_path):
    s = SCALE
    canvas = Image.new("RGB", (WIDTH * s, HEIGHT * s))
    background(canvas)
    swatch_fan(canvas, 250 * s, 200 * s, s)
    phone(canvas, 40 * s, 30 * s, s)
    image = canvas.resize((WIDTH, HEIGHT), Image.LANCZOS)
    mask = title(image, font_path)
    x = 150
    y = 18
    shadow = Image.new("RGB", mask.size, (20, 10, 40))
    image.paste(shadow, (x + 2, y + 2), mask)
    ink = Image.new("RGB", mask.size, (255, 246, 210))
    image.paste(ink, (x, y), mask)
    image.save(path, "JPEG", quality=90, optimize=True, progressive=False,
               subsampling=0)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    resources = os.path.join(here, "..", "resources")
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(resources, "about.jpg")
    build(path, os.path.join(resources, "1stSortie.ttf"))
    print("wrote", os.path.normpath(path), os.path.getsize(path), "bytes")


if __name__ == "__main__":
    main()
