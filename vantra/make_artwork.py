#!/usr/bin/env python3
"""Draws the launcher's artwork: the 320 x 240, 256-colour splash picture
(splash.bmp) and the 32 x 32, 16-colour program icon (vantra.ico).

    make_artwork.py <output folder>

Standard library only; the output is the same byte for byte on every run.
The splash leaves its bottom band dark, since the form writes its light grey
message there (at 96, 216).
"""
import os
import struct
import sys

WIDTH, HEIGHT = 320, 240

# 5 x 7 letters for the title, one string per row.
LETTERS = {
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def fill(pixels, left, top, right, bottom, colour):
    """Fills the rectangle [left, right) x [top, bottom)."""
    for y in range(max(top, 0), min(bottom, HEIGHT)):
        row = pixels[y]
        for x in range(max(left, 0), min(right, WIDTH)):
            row[x] = colour


def draw_text(pixels, text, left, top, scale, colour, shadow):
    for index, letter in enumerate(text):
        x0 = left + index * 6 * scale
        for row, bits in enumerate(LETTERS[letter]):
            for column, bit in enumerate(bits):
                if bit == "X":
                    x, y = x0 + column * scale, top + row * scale
                    fill(pixels, x + 2, y + 2, x + scale + 2, y + scale + 2, shadow)
        for row, bits in enumerate(LETTERS[letter]):
            for column, bit in enumerate(bits):
                if bit == "X":
                    x, y = x0 + column * scale, top + row * scale
                    fill(pixels, x, y, x + scale, y + scale, colour)


def splash_pixels():
    top_colour, bottom_colour = (34, 112, 84), (10, 34, 28)
    steps = 60
    pixels = []
    for y in range(HEIGHT):
        step = min(y * steps // HEIGHT, steps - 1)
        pixels.append([mix(top_colour, bottom_colour, step / (steps - 1))] * WIDTH)

    title = "VANTRA"
    scale = 5
    title_width = (len(title) * 6 - 1) * scale
    draw_text(pixels, title, (WIDTH - title_width) // 2, 22, scale, (240, 244, 236), (8, 40, 30))

    # A small worksheet: a header row, a row-number column, grid lines and a
    # column of bars in the cells.
    left, top, columns, rows, cell_w, cell_h = 50, 80, 6, 6, 36, 17
    right, bottom = left + columns * cell_w, top + rows * cell_h
    fill(pixels, left + 4, top + 4, right + 4, bottom + 4, (6, 26, 20))
    fill(pixels, left, top, right, bottom, (250, 250, 246))
    fill(pixels, left, top, right, top + cell_h, (214, 230, 220))
    fill(pixels, left, top, left + cell_w, bottom, (214, 230, 220))
    grid = (170, 190, 180)
    for c in range(columns + 1):
        x = min(left + c * cell_w, right - 1)
        fill(pixels, x, top, x + 1, bottom, grid)
    for r in range(rows + 1):
        y = min(top + r * cell_h, bottom - 1)
        fill(pixels, left, y, right, y + 1, grid)
    bars = [0.35, 0.6, 0.45, 0.8, 0.95]
    bar_colours = [(46, 139, 87), (60, 160, 100), (46, 139, 87), (60, 160, 100), (33, 110, 70)]
    for r, (share, colour) in enumerate(zip(bars, bar_colours), start=1):
        y = top + r * cell_h + 4
        x = left + cell_w + 4
        fill(pixels, x, y, x + round(share * (right - x - 8)), y + cell_h - 7, colour)
    return pixels


def write_bmp(path, pixels):
    palette = sorted({colour for row in pixels for colour in row})
    assert len(palette) <= 256, len(palette)
    index = {colour: i for i, colour in enumerate(palette)}
    image = bytearray()
    for row in reversed(pixels):
        image.extend(index[colour] for colour in row)
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    palette_bytes += bytes(4 * (256 - len(palette)))
    offset = 14 + 40 + len(palette_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(image), 3780, 3780, 256, 0)
    with open(path, "wb") as out:
        out.write(header + info + palette_bytes + image)


# The standard 16-colour palette, by name.
VGA = {
    "black": (0, 0, 0), "maroon": (128, 0, 0), "green": (0, 128, 0), "olive": (128, 128, 0),
    "navy": (0, 0, 128), "purple": (128, 0, 128), "teal": (0, 128, 128), "silver": (192, 192, 192),
    "grey": (128, 128, 128), "red": (255, 0, 0), "lime": (0, 255, 0), "yellow": (255, 255, 0),
    "blue": (0, 0, 255), "fuchsia": (255, 0, 255), "aqua": (0, 255, 255), "white": (255, 255, 255),
}
VGA_ORDER = list(VGA)


def icon_pixels():
    """32 x 32 names of palette colours, None where the icon is transparent."""
    size = 32
    pixels = [[None] * size for _ in range(size)]
    for y in range(2, 30):
        for x in range(2, 30):
            corner = (x in (2, 29)) and (y in (2, 29))
            if corner:
                continue
            edge = x in (2, 29) or y in (2, 29)
            pixels[y][x] = "black" if edge else "white"
    for y in range(3, 9):
        for x in range(3, 29):
            pixels[y][x] = "green"
    for x in (10, 19):
        for y in range(9, 29):
            pixels[y][x] = "silver"
    for y in (14, 19, 24):
        for x in range(3, 29):
            pixels[y][x] = "silver"
    # A bold "V" over the sheet.
    for y in range(10, 28):
        depth = (y - 10) * 8 // 17
        for x in (7 + depth, 24 - depth):
            for dx in range(-1, 2):
                pixels[y][x + dx] = "green"
    return pixels


def write_ico(path, pixels):
    size = 32
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        for x in range(0, size, 2):
            hi = VGA_ORDER.index(row[x] or "black")
            lo = VGA_ORDER.index(row[x + 1] or "black")
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(size):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask.extend(struct.pack(">I", bits))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA.values())
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_artwork.py <output folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "splash.bmp"), splash_pixels())
    write_ico(os.path.join(folder, "vantra.ico"), icon_pixels())


if __name__ == "__main__":
    main()
