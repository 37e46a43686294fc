#!/usr/bin/python3
"""Writes the thirteen preview pictures into resources/ as 8-bit palette BMPs.

Run with /usr/bin/python3 (Debian's python3-pil):
    /usr/bin/python3 tools/make_pictures.py [output-folder] [--sheet sheet.png]

The preview draws each picture with a key colour that is not drawn:
  - UPSTRING and ICONS: pure red (255, 0, 0);
  - VIDEO, SOUND, CAMERA, PICTURES, WARNING, BUTTONS, PLAY, ARROW, ITAP: the
    colour of their bottom-left pixel, which is pure red here as well;
  - COMPUTER and PHONE: black, which the status bar leaves out.
So the pictures below never use the key colour for anything that should show.
--sheet also writes a 4x enlarged contact sheet of all thirteen to look at.
"""

import math
import os
import sys

from PIL import Image, ImageDraw

KEY_RED = (255, 0, 0)
BLACK = (0, 0, 0)

# Colours of the artwork (none of them is a key colour).
INK = (16, 16, 24)
WHITE = (255, 255, 255)
PAPER = (248, 248, 236)
GREY_D = (72, 72, 80)
GREY = (128, 128, 136)
GREY_L = (192, 192, 200)
SILVER = (224, 224, 232)
BLUE_D = (24, 56, 150)
BLUE = (40, 110, 220)
BLUE_L = (120, 180, 250)
SKY = (150, 205, 255)
GREEN_D = (20, 120, 40)
GREEN = (60, 180, 60)
GREEN_L = (150, 225, 120)
YELLOW = (250, 215, 40)
GOLD = (200, 150, 20)
ORANGE = (245, 140, 30)
RED_D = (190, 30, 30)      # the red of the artwork: never the key's pure red
PURPLE = (130, 60, 170)
BROWN = (140, 90, 40)
LCD = (170, 210, 150)


class Picture:
    """A palette picture on a key-coloured background."""

    def __init__(self, name, width, height, key):
        self.name = name
        self.key = key
        self.colours = [key]
        self.image = Image.new("P", (width, height), 0)
        self.draw = ImageDraw.Draw(self.image)

    def c(self, rgb):
        """Palette index of an artwork colour."""
        if rgb == self.key:
            raise ValueError("%s: the key colour is not for drawing" % self.name)
        if rgb not in self.colours:
            self.colours.append(rgb)
        return self.colours.index(rgb)

    def pixels(self, x, y, rows, legend):
        """Pixel art: rows of characters, '.' leaves the picture alone."""
        for j, row in enumerate(rows.split()):
            for i, ch in enumerate(row):
                if ch != ".":
                    self.image.putpixel((x + i, y + j), self.c(legend[ch]))

    def rect(self, box, fill=None, outline=None):
        self.draw.rectangle(box, fill=None if fill is None else self.c(fill),
                            outline=None if outline is None else self.c(outline))

    def ellipse(self, box, fill=None, outline=None):
        self.draw.ellipse(box, fill=None if fill is None else self.c(fill),
                          outline=None if outline is None else self.c(outline))

    def polygon(self, points, fill=None, outline=None):
        self.draw.polygon(points, fill=None if fill is None else self.c(fill),
                          outline=None if outline is None else self.c(outline))

    def line(self, points, colour, width=1):
        self.draw.line(points, fill=self.c(colour), width=width)

    def point(self, xy, colour):
        self.image.putpixel(xy, self.c(colour))

    def finish(self):
        palette = []
        for rgb in self.colours:
            palette.extend(rgb)
        self.image.putpalette(palette)
        return self

    def save(self, folder):
        self.image.save(os.path.join(folder, self.name + ".bmp"))


LEGEND = {
    "k": INK, "w": WHITE, "p": PAPER, "d": GREY_D, "g": GREY, "l": GREY_L,
    "s": SILVER, "B": BLUE_D, "b": BLUE, "u": BLUE_L, "a": SKY,
    "G": GREEN_D, "e": GREEN, "E": GREEN_L, "y": YELLOW, "o": GOLD,
    "O": ORANGE, "r": RED_D, "v": PURPLE, "n": BROWN, "c": LCD,
}
LEGEND_SYMBOL = {"k": BLUE_D}

# Land of the globes, in unit coordinates (-1..1, y down): the Americas at the
# left, Europe and Africa at the right.
LAND = [
    [(-0.85, -0.55), (-0.35, -0.75), (-0.1, -0.5), (-0.3, -0.25),
     (-0.45, 0.0), (-0.3, 0.15), (-0.15, 0.3), (-0.3, 0.85), (-0.5, 0.6),
     (-0.55, 0.2), (-0.8, 0.05), (-0.95, -0.25)],
    [(0.2, -0.85), (0.55, -0.7), (0.75, -0.45), (0.6, -0.3), (0.85, -0.05),
     (0.75, 0.35), (0.5, 0.75), (0.35, 0.5), (0.25, 0.1), (0.1, -0.05),
     (0.2, -0.35), (0.1, -0.6)],
]


def globe(pic, box, outline=INK):
    """A blue globe with green land, a highlight and an outline."""
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    rx, ry = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    pic.ellipse(box, fill=BLUE)
    land = Image.new("1", pic.image.size, 0)
    land_draw = ImageDraw.Draw(land)
    for shape in LAND:
        land_draw.polygon([(cx + x * rx, cy + y * ry) for x, y in shape], fill=1)
    sea = Image.new("1", pic.image.size, 0)
    ImageDraw.Draw(sea).ellipse(box, fill=1)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if land.getpixel((x, y)) and sea.getpixel((x, y)):
                # Lighter land towards the top left, where the light comes from.
                lit = (x - cx) + (y - cy) < -0.4 * rx
                pic.point((x, y), GREEN_L if lit else GREEN)
    # Highlight and outline.
    hx, hy = int(cx - rx * 0.45), int(cy - ry * 0.5)
    pic.point((hx, hy), WHITE)
    pic.point((hx + 1, hy), WHITE)
    pic.point((hx, hy + 1), WHITE)
    pic.ellipse(box, outline=outline)


# --- UPSTRING ---------------------------------------------------------------

def upstring():
    pic = Picture("UPSTRING", 128, 13, KEY_RED)
    # Antenna and five signal bars rising to the right.
    pic.pixels(1, 1, """
        kkkkk
        kwkwk
        .kwk.
        ..k..
        ..k..
        ..k..
        ..k..
        ..k..
        ..k..
        ..k..
        .kkk.
    """, LEGEND)
    for n in range(5):
        height = 3 + 2 * n
        x = 7 + 4 * n
        pic.rect((x, 11 - height + 1, x + 2, 11), fill=WHITE, outline=INK)
    # Ringer: a loudspeaker with two sound waves.
    pic.pixels(81, 2, """
        ....k.....
        ...kk...k.
        kkkwk.k..k
        kwwwk..k.k
        kwwwk..k.k
        kkkwk.k..k
        ...kk...k.
        ....k.....
    """, LEGEND)
    # Alert bell.
    pic.pixels(94, 1, """
        ....k....
        ...kyk...
        ..kwyyk..
        ..kwyyk..
        ..kyyyk..
        .kyyyyok.
        .kyyyyok.
        kyyyyyyok
        kkkkkkkkk
        ...kok...
        ....k....
    """, LEGEND)
    # Battery gauge, three of four segments full.
    pic.rect((106, 2, 124, 10), fill=WHITE, outline=INK)
    pic.rect((125, 4, 126, 8), fill=INK)
    for n in range(3):
        pic.rect((108 + 4 * n, 4, 110 + 4 * n, 8), fill=GREEN)
    return pic


# --- ICONS ------------------------------------------------------------------

def icon_phonebook(pic, cx, cy):
    x, y = cx - 11, cy - 12
    pic.rect((x + 3, y + 2, x + 23, y + 25), fill=PAPER, outline=INK)
    for k in range(5, 24, 3):
        pic.line([(x + 21, y + k), (x + 22, y + k)], GREY_L)
    pic.rect((x, y, x + 20, y + 23), fill=BLUE, outline=INK)
    pic.rect((x + 1, y + 1, x + 3, y + 22), fill=BLUE_D)
    pic.line([(x + 4, y + 1), (x + 4, y + 22)], BLUE_L)
    # A person on the cover.
    pic.ellipse((x + 9, y + 5, x + 15, y + 11), fill=YELLOW, outline=INK)
    pic.draw.pieslice((x + 7, y + 12, x + 17, y + 26), 180, 360,
                      fill=pic.c(YELLOW), outline=pic.c(INK))
    pic.line([(x + 7, y + 19), (x + 17, y + 19)], INK)


def icon_messages(pic, cx, cy):
    x0, y0, x1, y1 = cx - 13, cy - 9, cx + 13, cy + 9
    pic.rect((x0, y0, x1, y1), fill=PAPER, outline=INK)
    pic.polygon([(x0 + 1, y0 + 1), (cx, y0 + 11), (x1 - 1, y0 + 1)],
                fill=GREY_L)
    pic.line([(x0, y1), (cx - 4, y0 + 9)], GREY)
    pic.line([(x1, y1), (cx + 4, y0 + 9)], GREY)
    pic.line([(x0, y0), (cx, y0 + 11), (x1, y0)], INK)
    # A stamp.
    pic.rect((x1 - 6, y0 + 2, x1 - 2, y0 + 6), fill=RED_D)


def icon_recent_calls(pic, cx, cy):
    # Handset, earpiece up left, mouthpiece down right, and a call going out.
    pic.pixels(cx - 13, cy - 8, """
        .kkkkk..................
        kssdddk.................
        ksddddk.................
        ksddddk.................
        ksdddk..................
        kddddk..................
        .kdddk..................
        .kdddk..................
        .kddddk.................
        ..kddddk................
        ..kdddddk...............
        ...kdddddk..............
        ....kdddddk.......kkkk..
        .....kdddddkk....kdddsk.
        ......kddddddkkkkddddsk.
        .......kkddddddddddddsk.
        .........kkddddddddddk..
        ...........kkkkkkkkkk...
    """, LEGEND)
    pic.pixels(cx + 3, cy - 13, """
        ...eeeee
        ....eeee
        ...eeeee
        ..eeeGee
        .eeeG..e
        eeeG....
        .eG.....
    """, LEGEND)


def icon_multimedia(pic, cx, cy):
    x0, y0 = cx - 13, cy - 10
    pic.rect((x0, y0, x0 + 26, y0 + 20), fill=GREY_D, outline=INK)
    for k in range(2, 26, 4):
        pic.rect((x0 + k, y0 + 2, x0 + k + 1, y0 + 3), fill=WHITE)
        pic.rect((x0 + k, y0 + 17, x0 + k + 1, y0 + 18), fill=WHITE)
    pic.rect((x0 + 2, y0 + 5, x0 + 24, y0 + 15), fill=SKY)
    pic.rect((x0 + 2, y0 + 12, x0 + 24, y0 + 15), fill=GREEN)
    pic.polygon([(cx - 3, y0 + 6), (cx - 3, y0 + 14), (cx + 4, y0 + 10)],
                fill=ORANGE, outline=INK)


def icon_web(pic, cx, cy):
    globe(pic, (cx - 12, cy - 12, cx + 12, cy + 12))


def icon_datebook(pic, cx, cy):
    x0, y0, x1, y1 = cx - 12, cy - 11, cx + 12, cy + 12
    pic.rect((x0, y0 + 2, x1, y1), fill=PAPER, outline=INK)
    pic.rect((x0, y0 + 2, x1, y0 + 7), fill=RED_D, outline=INK)
    for rx in (x0 + 5, x1 - 5):
        pic.rect((rx - 1, y0, rx + 1, y0 + 4), fill=SILVER, outline=INK)
    for row in range(4):
        for col in range(5):
            gx = x0 + 3 + col * 4
            gy = y0 + 10 + row * 3
            colour = BLUE if (row, col) == (1, 2) else GREY
            pic.rect((gx, gy, gx + 2, gy + 1), fill=colour)


def icon_games(pic, cx, cy):
    x0, y0 = cx - 14, cy - 8
    body = [((x0, y0 + 3, x0 + 11, y0 + 15), "ellipse"),
            ((x0 + 17, y0 + 3, x0 + 28, y0 + 15), "ellipse"),
            ((x0 + 4, y0, x0 + 24, y0 + 11), "rect")]
    # Outline first, then the same shapes one pixel smaller: one outline
    # round the whole pad.
    for grow, colour in ((0, INK), (1, SILVER)):
        for (a, b, c, d), kind in body:
            box = (a + grow, b + grow, c - grow, d - grow)
            if kind == "ellipse":
                pic.ellipse(box, fill=colour)
            else:
                pic.rect(box, fill=colour)
    pic.rect((x0 + 4, y0 + 6, x0 + 10, y0 + 8), fill=GREY_D)
    pic.rect((x0 + 6, y0 + 4, x0 + 8, y0 + 10), fill=GREY_D)
    pic.rect((x0 + 12, y0 + 8, x0 + 13, y0 + 8), fill=GREY)
    pic.rect((x0 + 15, y0 + 8, x0 + 16, y0 + 8), fill=GREY)
    for dx, dy, colour in ((0, -3, GREEN), (-3, 0, BLUE), (3, 0, RED_D),
                           (0, 3, YELLOW)):
        bx, by = x0 + 22 + dx, y0 + 7 + dy
        pic.rect((bx - 1, by - 1, bx, by), fill=colour)


def icon_settings(pic, cx, cy):
    teeth = 8
    outer, inner = 12.0, 9.0
    points = []
    for k in range(teeth * 4):
        angle = 2 * math.pi * k / (teeth * 4) - math.pi / 2
        radius = outer if k % 4 in (0, 1) else inner
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    pic.polygon(points, fill=GREY_L, outline=INK)
    pic.ellipse((cx - 6, cy - 6, cx + 6, cy + 6), fill=SILVER, outline=GREY)
    pic.ellipse((cx - 3, cy - 3, cx + 3, cy + 3), fill=GREY_D, outline=INK)


def icon_office(pic, cx, cy):
    x0, y0, x1, y1 = cx - 10, cy - 13, cx + 10, cy + 13
    pic.rect((x0, y0, x1, y1), fill=GREY_D, outline=INK)
    pic.rect((x0 + 2, y0 + 2, x1 - 2, y0 + 7), fill=LCD, outline=INK)
    pic.pixels(x1 - 9, y0 + 3, """
        .kk.kkk
        ..k.k..
        ..k.kkk
    """, LEGEND)
    for row in range(4):
        for col in range(4):
            kx = x0 + 2 + col * 4 + (1 if col else 0)
            ky = y0 + 10 + row * 4
            colour = ORANGE if col == 3 else SILVER
            pic.rect((kx, ky, kx + 2, ky + 2), fill=colour)


def icons():
    pic = Picture("ICONS", 128, 128, KEY_RED)
    # The 3 x 3 grid lies between the title bar (rows 0..14) and the soft-key
    # bar (rows 108..127): 31-row cells about 42 pixels wide.
    columns = (21, 64, 107)
    rows = (30, 61, 92)
    layout = [
        [icon_phonebook, icon_messages, icon_recent_calls],
        [icon_multimedia, icon_web, icon_datebook],
        [icon_games, icon_settings, icon_office],
    ]
    for r, row in enumerate(layout):
        for c, draw in enumerate(row):
            draw(pic, columns[c], rows[r])
    return pic


# --- The small item icons -----------------------------------------------------

def video():
    pic = Picture("VIDEO", 15, 15, KEY_RED)
    pic.pixels(0, 1, """
        .kkk...kkk.....
        kdgdk.kdgdk....
        kgkgk.kgkgk....
        kdgdk.kdgdk....
        .kkk...kkk.....
        kkkkkkkkkkkk...
        kuuuuuuuuuuk..k
        kubbbbbbbbbkkkk
        kubbbbbbbbbkkdk
        kubbbbbbbbbkkkk
        kBBBBBBBBBBk..k
        kkkkkkkkkkkk...
    """, LEGEND)
    return pic


def sound():
    pic = Picture("SOUND", 15, 15, KEY_RED)
    pic.ellipse((0, 4, 10, 14), fill=SILVER, outline=GREY_D)
    pic.pixels(2, 6, """
        ..uu
        .uaa
        .a..
    """, LEGEND)
    pic.ellipse((4, 8, 6, 10), fill=WHITE, outline=GREY_D)
    pic.pixels(10, 0, """
        ..kk.
        ..kkk
        ..k.k
        ..k.k
        ..k..
        ..k..
        ..k..
        .kk..
        kkk..
        kkk..
        .k...
    """, LEGEND)
    return pic


def camera():
    pic = Picture("CAMERA", 15, 15, KEY_RED)
    pic.pixels(0, 2, """
        .....kkkkk.....
        .kk.kdddddk....
        kkkkkkkkkkkkkkk
        kssssskkkkssssk
        ksssskkuukksssk
        kssskkuaaukksrk
        kssskbuaaubksrk
        kssskbbuubbksek
        ksssskbbbbkssek
        ksssssskkssssek
        kkkkkkkkkkkkkkk
    """, LEGEND)
    return pic


def pictures():
    pic = Picture("PICTURES", 15, 15, KEY_RED)
    pic.rect((0, 1, 14, 13), fill=GOLD, outline=BROWN)
    pic.rect((2, 3, 12, 11), fill=SKY)
    pic.pixels(2, 3, """
        ........yy.
        .......yyyy
        ........yy.
        ...G.......
        ..GGG....e.
        .GGGGG..eee
        GGGGGGGeeee
        eeeeeeeeeee
        EEEEEEEEEEE
    """, LEGEND)
    return pic


def warning():
    pic = Picture("WARNING", 30, 30, KEY_RED)
    globe(pic, (1, 1, 28, 28))
    return pic


def buttons():
    pic = Picture("BUTTONS", 128, 15, KEY_RED)
    arrow_left = """
        ...k
        ..kk
        .kkk
        kkkk
        .kkk
        ..kk
        ...k
    """
    arrow_right = "\n".join(row[::-1] for row in arrow_left.split())
    # Two bevelled tabs clear of the bottom-left pixel, which is the key.
    for x, art in ((1, arrow_left), (115, arrow_right)):
        pic.rect((x, 1, x + 11, 13), fill=SILVER, outline=INK)
        pic.line([(x + 1, 12), (x + 10, 12)], GREY)
        pic.line([(x + 10, 2), (x + 10, 12)], GREY)
        pic.line([(x + 1, 2), (x + 9, 2)], WHITE)
        pic.line([(x + 1, 2), (x + 1, 11)], WHITE)
        for corner in ((x, 1), (x + 11, 1), (x, 13), (x + 11, 13)):
            pic.image.putpixel(corner, 0)
        pic.pixels(x + 4, 4, art, LEGEND)
    return pic


def play():
    pic = Picture("PLAY", 30, 30, KEY_RED)
    pic.ellipse((1, 1, 28, 28), fill=SILVER, outline=INK)
    pic.ellipse((2, 2, 27, 27), outline=WHITE)
    pic.ellipse((10, 10, 19, 19), fill=GREY, outline=GREY_D)
    pic.ellipse((12, 12, 17, 17), fill=GREY_L)
    # Pause at the top, stop at the bottom, previous and next at the sides.
    pic.rect((12, 4, 13, 8), fill=BLUE_D)
    pic.rect((16, 4, 17, 8), fill=BLUE_D)
    pic.rect((13, 21, 16, 24), fill=BLUE_D)
    pic.pixels(3, 12, """
        k..k..k
        k.kk.kk
        kkkkkkk
        k.kk.kk
        k..k..k
    """, LEGEND_SYMBOL)
    pic.pixels(20, 12, """
        k..k..k
        kk.kk.k
        kkkkkkk
        kk.kk.k
        k..k..k
    """, LEGEND_SYMBOL)
    return pic


def arrow():
    pic = Picture("ARROW", 11, 16, KEY_RED)
    pic.pixels(1, 1, """
        k.........
        kk........
        kuk.......
        kuuk......
        kuuuk.....
        kuuuuk....
        kuuubbk...
        kuubbbbBk.
        kubbbBk...
        kubbBk....
        kbbBk.....
        kbBk......
        kBk.......
        kk........
    """, LEGEND)
    return pic


def itap():
    pic = Picture("ITAP", 27, 12, KEY_RED)
    pic.rect((1, 0, 25, 10), fill=WHITE, outline=GREY_D)
    pic.pixels(3, 2, """
        .kk..kkk...k.....k..
        k..k.k..k.kk....kkk.
        k..k.kkk...k...k.k.k
        kkkk.k..k..k.....k..
        k..k.k..k..k.....k..
        k..k.kkk..kkk....k..
    """, LEGEND)
    return pic


# --- The status icons, on black -------------------------------------------------

def computer():
    pic = Picture("COMPUTER", 16, 16, BLACK)
    pic.pixels(0, 1, """
        .dddddddddddddd.
        dsssssssssssssgd
        dsBBBBBBBBBBBBsd
        dsBbbbbbbbbbbBsd
        dsBbuubbbbbbbBsd
        dsBbubbbbbbbbBsd
        dsBbbbbbbbbbbBsd
        dsBbbbbbbbbbbBsd
        dsBBBBBBBBBBBBsd
        dsssssssssssegsd
        .dddddddddddddd.
        ......dgld......
        ....ddglllgd....
        ....dddddddd....
    """, LEGEND)
    return pic


def phone():
    pic = Picture("PHONE", 16, 16, BLACK)
    pic.pixels(3, 0, """
        .....dd...
        .....dl...
        .dddddddd.
        dssssssssd
        dsggggggsd
        dsgccccgsd
        dsgccccgsd
        dsggggggsd
        dssssssssd
        dsesssrssd
        dssssssssd
        dslslslssd
        dssssssssd
        dslslslssd
        dssssssssd
        .dddddddd.
    """, LEGEND)
    return pic


MAKERS = [upstring, icons, video, sound, camera, pictures, warning, buttons,
          play, arrow, itap, computer, phone]


def check(pic):
    """The key must be where the preview looks for it."""
    rgb = pic.image.convert("RGB")
    w, h = rgb.size
    if pic.name not in ("UPSTRING", "ICONS", "COMPUTER", "PHONE"):
        if rgb.getpixel((0, h - 1)) != pic.key:
            raise SystemExit(pic.name + ": bottom-left pixel is not the key")
    if len(pic.colours) > 256:
        raise SystemExit(pic.name + ": too many colours")


def contact_sheet(pictures, path, scale=4):
    pad = 8
    width = sum(p.image.width for p in pictures[:2]) * scale + pad * 3
    height = 128 * scale + 13 * scale + pad * 4 + 40 * scale
    sheet = Image.new("RGB", (width, height), (60, 60, 60))
    x, y = pad, pad
    rowh = 0
    for pic in pictures:
        img = pic.image.convert("RGB").resize(
            (pic.image.width * scale, pic.image.height * scale), Image.NEAREST)
        if x + img.width > width:
            x, y = pad, y + rowh + pad
            rowh = 0
        sheet.paste(img, (x, y))
        x += img.width + pad
        rowh = max(rowh, img.height)
    sheet.save(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    sheet = None
    if "--sheet" in args:
        at = args.index("--sheet")
        sheet = args[at + 1]
        del args[at:at + 2]
    folder = args[0] if args else os.path.join(here, "..", "resources")
    made = []
    for maker in MAKERS:
        pic = maker().finish()
        check(pic)
        pic.save(folder)
        made.append(pic)
        print("wrote %s.bmp %dx%d, %d colours" % (pic.name, pic.image.width,
                                                  pic.image.height, len(pic.colours)))
    if sheet:
        contact_sheet(made, sheet)


if __name__ == "__main__":
    main()
