#!/usr/bin/python3
"""samepixels.py A.png B.png: exit 0 when both pictures have the same size and
pixels, whatever their encoders made of the bytes (Qt's bundled libpng and
zlib on Windows, Debian's on Linux)."""
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def pixels(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, chunks, palette = 8, b"", b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            chunks += body
        pos += 12 + length
    if depth != 8 or interlace:
        raise ValueError(f"{path}: only 8-bit, non-interlaced pictures are compared")
    step = CHANNELS[colour]
    stride = width * step
    raw = zlib.decompress(chunks)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = row[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                row[x] = (row[x] + a) & 255
            elif kind == 2:
                row[x] = (row[x] + b) & 255
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row))
        previous = row
    # As RGBA, so that the same picture written in two colour types compares equal.
    out = bytearray()
    for row in rows:
        for x in range(width):
            px = row[x * step:(x + 1) * step]
            if colour == 3:
                px = palette[px[0] * 3:px[0] * 3 + 3]
            elif colour in (0, 4):
                px = bytes([px[0]] * 3) + px[1:]
            out += px[:3] + (px[3:4] if len(px) == 4 else b"\xff")
    return width, height, bytes(out)


if __name__ == "__main__":
    a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
    sys.exit(0 if a == b else 1)
