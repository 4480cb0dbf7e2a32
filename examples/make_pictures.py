#!/usr/bin/env python3
"""Draws the package's pictures as 24-bit BMP files into a folder:
splash.bmp (shown before the wizard) and side.bmp (on the wizard's pages).
Plain Python, no imaging library: a gradient and a few blocky letters."""
import struct
import sys

# 5 x 7 glyphs of the letters the pictures spell.
GLYPHS = {
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
}


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y counted from the top."""
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def lettering(text, scale, left, top):
    """The set of pixels covered by `text` in blocky letters."""
    covered = set()
    for i, letter in enumerate(text):
        for gy, line in enumerate(GLYPHS[letter]):
            for gx, bit in enumerate(line):
                if bit == "1":
                    x0 = left + (i * 6 + gx) * scale
                    y0 = top + gy * scale
                    for dy in range(scale):
                        for dx in range(scale):
                            covered.add((x0 + dx, y0 + dy))
    return covered


def gradient(top_colour, bottom_colour, height):
    def colour(y):
        t = y / max(height - 1, 1)
        return tuple(int(a + (b - a) * t) for a, b in zip(top_colour, bottom_colour))
    return colour


def splash(path):
    width, height = 360, 180
    shade = gradient((30, 79, 140), (0, 8, 20), height)
    word = lettering("VANTRA", 7, (width - 35 * 7) // 2, 50)
    stripe = range(140, 146)

    def pixel(x, y):
        if (x, y) in word:
            return (255, 255, 255)
        if y in stripe and 60 <= x < width - 60:
            return (240, 170, 40)
        return shade(y)
    write_bmp(path, width, height, pixel)


def side(path):
    width, height = 120, 260
    shade = gradient((30, 79, 140), (240, 170, 40), height)
    word = lettering("V", 12, 30, 40)

    def pixel(x, y):
        return (255, 255, 255) if (x, y) in word else shade(y)
    write_bmp(path, width, height, pixel)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    splash(folder + "/splash.bmp")
    side(folder + "/side.bmp")
