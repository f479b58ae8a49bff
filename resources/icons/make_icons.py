#!/usr/bin/env python3
"""Draws Quillmark's application icon, an envelope with an address list rising out of it, at 16 x 16 and
32 x 32 pixels in the 16 standard colours, and writes each size as XPM (compiled into the program) and as an
indexed PNG (installed for the desktop). Run it from any folder; it writes next to itself:

    python3 resources/icons/make_icons.py
"""

import os
import struct
import zlib

# The 16 standard colours, and '.' for a transparent pixel.
PALETTE = {
    "k": (0, 0, 0),  # black
    "m": (128, 0, 0),  # maroon
    "g": (0, 128, 0),  # green
    "o": (128, 128, 0),  # olive
    "n": (0, 0, 128),  # navy
    "p": (128, 0, 128),  # purple
    "t": (0, 128, 128),  # teal
    "s": (192, 192, 192),  # silver
    "d": (128, 128, 128),  # grey
    "r": (255, 0, 0),  # red
    "l": (0, 255, 0),  # lime
    "y": (255, 255, 0),  # yellow
    "b": (0, 0, 255),  # blue
    "f": (255, 0, 255),  # fuchsia
    "a": (0, 255, 255),  # aqua
    "w": (255, 255, 255),  # white
}
TRANSPARENT = "."


class Canvas:
    def __init__(self, size):
        self.size = size
        self.rows = [[TRANSPARENT] * size for _ in range(size)]

    def set(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        # Bresenham: every step one pixel, so the flap's edges stay one pixel thin.
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy


def draw32():
    c = Canvas(32)
    # The list: a sheet with a red bullet and a navy line per address, its foot inside the envelope.
    c.fill(7, 1, 24, 20, "w")
    c.frame(7, 1, 24, 20, "k")
    c.fill(25, 3, 25, 20, "d")  # the sheet's shadow
    for y in (4, 7, 10, 13):
        c.fill(9, y, 10, y + 1, "r")
        c.fill(12, y, 22, y, "n")
        c.fill(12, y + 1, 19, y + 1, "b")
    # The envelope: yellow with a dark outline, its front flap drawn as a V.
    c.fill(1, 14, 30, 29, "y")
    c.line(1, 14, 15, 24, "o")
    c.line(30, 14, 16, 24, "o")
    c.line(2, 29, 12, 21, "o")
    c.line(29, 29, 19, 21, "o")
    c.frame(1, 14, 30, 29, "k")
    c.fill(2, 30, 31, 30, "d")
    c.fill(31, 15, 31, 30, "d")
    return c


def draw16():
    c = Canvas(16)
    c.fill(3, 0, 12, 9, "w")
    c.frame(3, 0, 12, 9, "k")
    for y in (2, 4, 6):
        c.set(5, y, "r")
        c.fill(7, y, 10, y, "n")
    c.fill(0, 7, 14, 14, "y")
    c.line(0, 7, 7, 11, "o")
    c.line(14, 7, 7, 11, "o")
    c.frame(0, 7, 14, 14, "k")
    c.fill(1, 15, 15, 15, "d")
    c.fill(15, 8, 15, 15, "d")
    return c


def xpm_text(canvas, name):
    used = sorted({p for row in canvas.rows for p in row})
    lines = ["/* XPM */", "static const char* const %s[] = {" % name]
    lines.append('"%d %d %d 1",' % (canvas.size, canvas.size, len(used)))
    for key in used:
        if key == TRANSPARENT:
            lines.append('"%s c None",' % key)
        else:
            lines.append('"%s c #%02X%02X%02X",' % ((key,) + PALETTE[key]))
    body = ['"%s"' % "".join(row) for row in canvas.rows]
    lines.append(",\n".join(body))
    lines.append("};")
    return "\n".join(lines) + "\n"


def png_bytes(canvas):
    # Indexed colour, 4 bits per pixel: index 0 is the transparent pixel, then the colours the picture uses.
    keys = [TRANSPARENT] + [k for k in PALETTE if any(k in row for row in canvas.rows)]
    assert len(keys) <= 16, "more than 15 colours and transparency in one picture"
    index = {k: i for i, k in enumerate(keys)}
    palette = b"".join(bytes(PALETTE.get(k, (0, 0, 0))) for k in keys)
    alpha = bytes([0] + [255] * (len(keys) - 1))

    raw = bytearray()
    for row in canvas.rows:
        raw.append(0)
        values = [index[p] for p in row]
        for i in range(0, len(values), 2):
            high = values[i]
            low = values[i + 1] if i + 1 < len(values) else 0
            raw.append((high << 4) | low)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", canvas.size, canvas.size, 4, 3, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) + chunk(b"tRNS", alpha)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for size, canvas in ((16, draw16()), (32, draw32())):
        base = os.path.join(here, "quillmark-%d" % size)
        with open(base + ".xpm", "w", newline="\n") as out:
            out.write(xpm_text(canvas, "quillmark_%d_xpm" % size))
        with open(base + ".png", "wb") as out:
            out.write(png_bytes(canvas))


if __name__ == "__main__":
    main()
