#!/usr/bin/python3
"""Writes resources/1stSortie.ttf, the "1st Sortie" pixel font of the preview.

Run with /usr/bin/python3 (Debian's python3-fonttools):
    /usr/bin/python3 tools/make_font.py [output.ttf]

Every glyph is a bitmap drawn below as rows of '#' (ink) and '.' (paper).
One pixel is 100 font units and the em is 1300 units, so at a 13-pixel size
each pixel lands on exactly one screen pixel and the text is crisp without
antialiasing: 10 pixels above the baseline, 3 below.

A glyph is written "N: row row row ...", where N is the number of rows above
the baseline (8 when left out: the cap height); rows after the first N hang
below the baseline. Caps are 8 pixels high, the x-height is 6, and every
glyph advances by its width plus one pixel of spacing.
"""

import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable

FAMILY = "1st Sortie"
UNIT = 100          # font units per pixel
UPEM = 1300         # 13 pixels
ASCENT = 1000       # 10 pixels
DESCENT = 300       # 3 pixels
SPACING = 1         # blank pixel columns after every glyph
SPACE_ADVANCE = 3   # pixels
FIXED_TIMESTAMP = 3849120000  # 2025-12-20, seconds since 1904

GLYPHS = {
    # Digits
    "0": ".###. #...# #...# #...# #...# #...# #...# .###.",
    "1": "..#.. .##.. #.#.. ..#.. ..#.. ..#.. ..#.. #####",
    "2": ".###. #...# ....# ...#. ..#.. .#... #.... #####",
    "3": ".###. #...# ....# ..##. ....# ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. #..#. ##### ...#. ...#.",
    "5": "##### #.... #.... ####. ....# ....# #...# .###.",
    "6": "..##. .#... #.... ####. #...# #...# #...# .###.",
    "7": "##### ....# ....# ...#. ..#.. ..#.. .#... .#...",
    "8": ".###. #...# #...# .###. #...# #...# #...# .###.",
    "9": ".###. #...# #...# #...# .#### ....# ...#. .##..",

    # Latin capitals
    "A": ".###. #...# #...# #...# ##### #...# #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #.... #....",
    "G": ".###. #...# #.... #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...# #...#",
    "I": "### .#. .#. .#. .#. .#. .#. ###",
    "J": "....# ....# ....# ....# ....# #...# #...# .###.",
    "K": "#...# #..#. #.#.. ##... ##... #.#.. #..#. #...#",
    "L": "#.... #.... #.... #.... #.... #.... #.... #####",
    "M": "#.....# ##...## #.#.#.# #..#..# #.....# #.....# #.....# #.....#",
    "N": "#...# #...# ##..# #.#.# #..## #...# #...# #...#",
    "O": ".###. #...# #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #...# #.#.# #..#. .##.#",
    "R": "####. #...# #...# #...# ####. #.#.. #..#. #...#",
    "S": ".###. #...# #.... .###. ....# ....# #...# .###.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# #...# #...# .#.#. .#.#. ..#..",
    "W": "#.....# #.....# #.....# #..#..# #..#..# #.#.#.# ##...## #.....#",
    "X": "#...# #...# .#.#. ..#.. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. .#... #.... #.... #####",

    # Latin small letters
    "a": "6: .###. ....# .#### #...# #...# .####",
    "b": "#.... #.... ####. #...# #...# #...# #...# ####.",
    "c": "6: .###. #...# #.... #.... #...# .###.",
    "d": "....# ....# .#### #...# #...# #...# #...# .####",
    "e": "6: .###. #...# ##### #.... #...# .###.",
    "f": "..## .#.. .#.. #### .#.. .#.. .#.. .#..",
    "g": "6: .#### #...# #...# #...# #...# .#### ....# .###.",
    "h": "#.... #.... ####. #...# #...# #...# #...# #...#",
    "i": "# . # # # # # #",
    "j": "..# ... .## ..# ..# ..# ..# ..# ..# ##.",
    "k": "#... #... #..# #.#. ##.. ##.. #.#. #..#",
    "l": "# # # # # # # #",
    "m": "6: ###.##. #..#..# #..#..# #..#..# #..#..# #..#..#",
    "n": "6: ####. #...# #...# #...# #...# #...#",
    "o": "6: .###. #...# #...# #...# #...# .###.",
    "p": "6: ####. #...# #...# #...# #...# ####. #.... #....",
    "q": "6: .#### #...# #...# #...# #...# .#### ....# ....#",
    "r": "6: #.## ##.. #... #... #... #...",
    "s": "6: .#### #.... .###. ....# ....# ####.",
    "t": "7: .#.. #### .#.. .#.. .#.. .#.. ..##",
    "u": "6: #...# #...# #...# #...# #...# .####",
    "v": "6: #...# #...# #...# .#.#. .#.#. ..#..",
    "w": "6: #.....# #.....# #..#..# #..#..# #.#.#.# .#...#.",
    "x": "6: #...# .#.#. ..#.. ..#.. .#.#. #...#",
    "y": "6: #...# #...# #...# #...# #...# .#### ....# .###.",
    "z": "6: ##### ...#. ..#.. .#... #.... #####",

    # Punctuation and symbols of ASCII
    "!": "# # # # # # . #",
    '"': "#.# #.# #.#",
    "#": ".#.#. .#.#. ##### .#.#. .#.#. ##### .#.#. .#.#.",
    "$": "..#.. .#### #.#.. .###. ..#.# ..#.# ####. ..#..",
    "%": "##... ##..# ...#. ..#.. ..#.. .#... #..## ...##",
    "&": ".##.. #..#. #..#. .##.. #.#.# #..#. #..#. .##.#",
    "'": "# # #",
    "(": "..# .#. #.. #.. #.. #.. #.. .#. ..#",
    ")": "#.. .#. ..# ..# ..# ..# ..# .#. #..",
    "*": "7: ..#.. #.#.# .###. #.#.# ..#..",
    "+": "6: ..#.. ..#.. ##### ..#.. ..#..",
    ",": "1: .# .# #.",
    "-": "4: ####",
    ".": "1: #",
    "/": "....# ....# ...#. ..#.. ..#.. .#... #.... #....",
    ":": "5: # . . . #",
    ";": "5: .# .. .. .. .# .# #.",
    "<": "7: ...# ..#. .#.. #... .#.. ..#. ...#",
    "=": "5: ##### ..... #####",
    ">": "7: #... .#.. ..#. ...# ..#. .#.. #...",
    "?": ".###. #...# ....# ...#. ..#.. ..#.. ..... ..#..",
    "@": ".###. #...# #.### #.#.# #.### #.... #...# .###.",
    "[": "### #.. #.. #.. #.. #.. #.. #.. ###",
    "\\": "#.... #.... .#... ..#.. ..#.. ...#. ....# ....#",
    "]": "### ..# ..# ..# ..# ..# ..# ..# ###",
    "^": "..#.. .#.#. #...#",
    "_": "0: #####",
    "`": "#. .#",
    "{": "..# .#. .#. .#. #.. .#. .#. .#. ..#",
    "|": "# # # # # # # # #",
    "}": "#.. .#. .#. .#. ..# .#. .#. .#. #..",
    "~": "5: .##.# #.##.",

    # Cyrillic capitals (those that look like Latin ones share their glyph)
    "Б": "##### #.... #.... ####. #...# #...# #...# ####.",
    "Г": "##### #.... #.... #.... #.... #.... #.... #....",
    "Ґ": "9: ....# ##### #.... #.... #.... #.... #.... #.... #....",
    "Д": "..###. .#..#. .#..#. .#..#. .#..#. .#..#. #...#. ###### #....#",
    "Ж": "#..#..# #..#..# .#.#.#. ..###.. ..###.. .#.#.#. #..#..# #..#..#",
    "И": "#...# #...# #..## #.#.# ##..# #...# #...# #...#",
    "Й": "10: .###. ..... #...# #...# #..## #.#.# ##..# #...# #...# #...#",
    "Л": "..### .#..# .#..# .#..# .#..# .#..# #...# #...#",
    "П": "##### #...# #...# #...# #...# #...# #...# #...#",
    "У": "#...# #...# #...# #...# .#### ....# #...# .###.",
    "Ф": "..#.. .###. #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "Ц": "#...#. #...#. #...#. #...#. #...#. #...#. #...#. ###### .....#",
    "Ч": "#...# #...# #...# #...# .#### ....# ....# ....#",
    "Ш": "#..#..# #..#..# #..#..# #..#..# #..#..# #..#..# #..#..# #######",
    "Щ": "#..#..#. #..#..#. #..#..#. #..#..#. #..#..#. #..#..#. #..#..#. "
         "######## .......#",
    "Ъ": "##.... .#.... .#.... .####. .#...# .#...# .#...# .####.",
    "Ы": "#.....# #.....# #.....# ####..# #...#.# #...#.# #...#.# ####..#",
    "Ь": "#.... #.... #.... ####. #...# #...# #...# ####.",
    "Э": ".###. #...# ....# ..### ....# ....# #...# .###.",
    "Ю": "#..###. #.#...# #.#...# ###...# #.#...# #.#...# #.#...# #..###.",
    "Я": ".#### #...# #...# #...# .#### ..#.# .#..# #...#",
    "Ё": "10: .#.#. ..... ##### #.... #.... ####. #.... #.... #.... #####",
    "Ђ": "#####. ..#... ..#... ..###. ..#..# ..#..# ..#..# ..#..# ....#.",
    "Ѓ": "10: ..#.. ..... ##### #.... #.... #.... #.... #.... #.... #....",
    "Є": ".###. #...# #.... ####. #.... #.... #...# .###.",
    "Ї": "10: #.# ... ### .#. .#. .#. .#. .#. .#. ###",
    "Љ": "..###... .#..#... .#..#... .#..###. .#..#..# .#..#..# #...#..# #...###.",
    "Њ": "#..#... #..#... #..#... ######. #..#..# #..#..# #..#..# #..###.",
    "Ћ": "#####. ..#... ..#... ..###. ..#..# ..#..# ..#..# ..#..#",
    "Ќ": "10: ..#.. ..... #...# #..#. #.#.. ##... ##... #.#.. #..#. #...#",
    "Ў": "10: .###. ..... #...# #...# #...# #...# .#### ....# #...# .###.",
    "Џ": "#...# #...# #...# #...# #...# #...# #...# ##### ..#..",

    # Cyrillic small letters
    "б": ".#### #.... ####. #...# #...# #...# #...# .###.",
    "в": "6: ####. #...# ####. #...# #...# ####.",
    "г": "6: #### #... #... #... #... #...",
    "ґ": "7: ...# #### #... #... #... #... #...",
    "д": "6: ..###. .#..#. .#..#. .#..#. #...#. ###### #....#",
    "ж": "6: #..#..# .#.#.#. ..###.. ..###.. .#.#.#. #..#..#",
    "з": "6: .###. #...# ..##. ....# #...# .###.",
    "и": "6: #...# #...# #..## #.#.# ##..# #...#",
    "й": ".###. ..... #...# #...# #..## #.#.# ##..# #...#",
    "к": "6: #..# #.#. ##.. ##.. #.#. #..#",
    "л": "6: ..### .#..# .#..# .#..# .#..# #...#",
    "м": "6: #.....# ##...## #.#.#.# #..#..# #.....# #.....#",
    "н": "6: #...# #...# ##### #...# #...# #...#",
    "п": "6: ##### #...# #...# #...# #...# #...#",
    "т": "6: ##### ..#.. ..#.. ..#.. ..#.. ..#..",
    "ф": "..#.. ..#.. .###. #.#.# #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "ц": "6: #...#. #...#. #...#. #...#. #...#. ###### .....#",
    "ч": "6: #...# #...# #...# .#### ....# ....#",
    "ш": "6: #..#..# #..#..# #..#..# #..#..# #..#..# #######",
    "щ": "6: #..#..#. #..#..#. #..#..#. #..#..#. #..#..#. ######## .......#",
    "ъ": "6: ##.... .#.... .####. .#...# .#...# .####.",
    "ы": "6: #.....# #.....# ####..# #...#.# #...#.# ####..#",
    "ь": "6: #.... #.... ####. #...# #...# ####.",
    "э": "6: .###. #...# ..### ....# #...# .###.",
    "ю": "6: #..###. #.#...# ###...# #.#...# #.#...# #..###.",
    "я": "6: .#### #...# #...# .#### .#..# #...#",
    "ё": ".#.#. ..... .###. #...# ##### #.... #...# .###.",
    "ђ": ".#... ####. .#... .###. .#..# .#..# .#..# .#..# ....# ...#.",
    "ћ": ".#... ####. .#... .###. .#..# .#..# .#..# .#..#",
    "ѓ": "..#. .... #### #... #... #... #... #...",
    "є": "6: .###. #...# ###.. #.... #...# .###.",
    "ї": "#.# ... .#. .#. .#. .#. .#. .#.",
    "љ": "6: ..###... .#..#... .#..###. .#..#..# .#..#..# #...###.",
    "њ": "6: #..#... #..#... ######. #..#..# #..#..# #..###.",
    "ќ": "..#. .... #..# #.#. ##.. ##.. #.#. #..#",
    "ў": ".###. ..... #...# #...# #...# #...# #...# .#### ....# .###.",
    "џ": "6: #...# #...# #...# #...# #...# ##### ..#..",

    # Symbols of Windows-1251
    "№": "#...#.... ##..#.### #.#.#.#.# #..##.### #...#.... #...#.### #...#.... #...#....",
    "«": "6: ..#.# .#.#. #.#.. .#.#. ..#.#",
    "»": "6: #.#.. .#.#. ..#.# .#.#. #.#..",
    "—": "4: #######",
    "–": "4: #####",
    "…": "1: #.#.#",
    "©": ".#####. #.....# #..##.# #.#...# #.#...# #..##.# #.....# .#####.",
    "°": ".#. #.# .#.",
    "±": "7: ..#.. ..#.. ##### ..#.. ..#.. ..... #####",
    "‘": ".# #. ##",
    "’": "## .# #.",
    "‚": "1: ## .# #.",
    "“": ".#..# #..#. ##.##",
    "”": "##.## .#..# #..#.",
    "„": "1: ##.## .#..# #..#.",
    "•": "5: .##. #### #### .##.",
    "‹": "6: ..# .#. #.. .#. ..#",
    "›": "6: #.. .#. ..# .#. #..",
    "·": "4: #",
}

# Letters drawn exactly like another glyph.
SAME_AS = {
    "А": "A", "В": "B", "Е": "E", "З": "3", "К": "K", "М": "M", "Н": "H",
    "О": "O", "Р": "P", "С": "C", "Т": "T", "Х": "X", "Ѕ": "S", "І": "I",
    "Ј": "J",
    "а": "a", "е": "e", "о": "o", "р": "p", "с": "c", "у": "y", "х": "x",
    "ѕ": "s", "і": "i", "ј": "j",
}

NOTDEF = "##### #...# #...# #...# #...# #...# #...# #####"


def parse(text):
    """Returns (rows above the baseline, list of row strings)."""
    above = 8
    if ":" in text.split()[0]:
        head, text = text.split(":", 1)
        above = int(head)
    rows = text.split()
    width = len(rows[0])
    for row in rows:
        if len(row) != width or set(row) - set("#."):
            raise ValueError("ragged or odd glyph row %r in %r" % (row, text))
    return above, rows


def outline(above, rows):
    """Traces the ink pixels into clockwise contours (TrueType's outer
    direction) with the edges between ink pixels cancelled, so each blob of
    pixels is one polygon and not a heap of overlapping squares."""
    edges = set()
    for i, row in enumerate(rows):
        top = (above - i) * UNIT
        bottom = top - UNIT
        for col, ch in enumerate(row):
            if ch != "#":
                continue
            left, right = col * UNIT, (col + 1) * UNIT
            square = [(left, bottom), (left, top), (right, top),
                      (right, bottom)]
            for k in range(4):
                edge = (square[k], square[(k + 1) % 4])
                reverse = (edge[1], edge[0])
                if reverse in edges:
                    edges.remove(reverse)
                else:
                    edges.add(edge)
    outgoing = {}
    for start, end in edges:
        outgoing.setdefault(start, []).append(end)
    contours = []
    while outgoing:
        first = min(outgoing)
        points = [first]
        point = first
        while True:
            ends = outgoing[point]
            end = ends.pop()
            if not ends:
                del outgoing[point]
            if end == first:
                break
            points.append(end)
            point = end
        contours.append(simplify(points))
    return contours


def simplify(points):
    """Drops the points in the middle of straight runs."""
    kept = []
    count = len(points)
    for k in range(count):
        prev, cur, nxt = points[k - 1], points[k], points[(k + 1) % count]
        straight = (prev[0] == cur[0] == nxt[0]) or (prev[1] == cur[1] == nxt[1])
        if not straight:
            kept.append(cur)
    return kept


def draw_glyph(text):
    pen = TTGlyphPen(None)
    if text is None:
        return pen.glyph(), 0
    above, rows = parse(text)
    for contour in outline(above, rows):
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph(), len(rows[0])


def build(path):
    names = {}
    order = [".notdef", "space"]
    glyphs = {}
    metrics = {}

    glyph, width = draw_glyph(NOTDEF)
    glyphs[".notdef"] = glyph
    metrics[".notdef"] = ((width + SPACING) * UNIT, 0)
    glyphs["space"] = draw_glyph(None)[0]
    metrics["space"] = (SPACE_ADVANCE * UNIT, 0)
    cmap = {0x20: "space", 0xA0: "space"}

    for ch, text in GLYPHS.items():
        name = "uni%04X" % ord(ch)
        glyph, width = draw_glyph(text)
        glyphs[name] = glyph
        metrics[name] = ((width + SPACING) * UNIT, 0)
        order.append(name)
        names[ch] = name
        cmap[ord(ch)] = name
    for ch, model in SAME_AS.items():
        cmap[ord(ch)] = names[model]

    missing = [c for c in range(0x21, 0x7F) if c not in cmap]
    missing += [c for c in range(0x410, 0x450) if c not in cmap]
    if missing:
        raise SystemExit("no glyph for " + " ".join("%04X" % c for c in missing))

    fb = FontBuilder(UPEM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    # setupGlyf computes each glyph's bounds; left side bearings follow them.
    glyf = fb.font["glyf"]
    hmtx = {}
    for name in order:
        advance = metrics[name][0]
        hmtx[name] = (advance, getattr(glyf[name], "xMin", 0))
    fb.setupHorizontalMetrics(hmtx)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    fb.setupNameTable({
        "copyright": "Drawn for Tintora",
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": FAMILY + " Regular 1.0",
        "fullName": FAMILY,
        "version": "Version 1.000",
        "psName": "1stSortie-Regular",
        "typographicFamily": FAMILY,
        "typographicSubfamily": "Regular",
    }, windows=True, mac=False)
    fb.setupOS2(
        sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=DESCENT,
        sxHeight=6 * UNIT, sCapHeight=8 * UNIT,
        version=4, achVendID="TNTR", usWeightClass=400,
        fsSelection=0x0040 | 0x0080,  # REGULAR, USE_TYPO_METRICS
        ulCodePageRange1=(1 << 0) | (1 << 2),  # Latin 1, Cyrillic
    )
    fb.setupPost(keepGlyphNames=False)
    # Bilevel rendering at the sizes the preview uses; grey above them.
    gasp = newTable("gasp")
    gasp.gaspRange = {20: 0x0000, 0xFFFF: 0x0002}
    fb.font["gasp"] = gasp
    # A fixed date, so the same script always writes the same bytes.
    fb.font["head"].created = fb.font["head"].modified = FIXED_TIMESTAMP
    fb.font.recalcTimestamp = False
    fb.save(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "resources", "1stSortie.ttf")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    build(path)
    print("wrote", os.path.normpath(path), os.path.getsize(path), "bytes")


if __name__ == "__main__":
    main()
