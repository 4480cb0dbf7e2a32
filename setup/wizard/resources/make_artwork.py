#!/usr/bin/env python3
"""Draws setup's artwork in the 16 colours of the standard VGA palette:

- side.bmp  (bitmap 134): the 120 x 260 picture on the left of the pages, a
  night-blue backdrop with an open package box and a disk dropping into it;
- setup.ico (icon 107):   the package box at 32 x 32 and 16 x 16.

    make_artwork.py <output folder>

Standard library only; the output is the same byte for byte on every run.
"""
import os
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, YELLOW, BLUE, CYAN, WHITE, OLIVE = 0, 4, 6, 7, 8, 11, 12, 14, 15, 3

BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fills a convex polygon by testing every pixel centre."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        n = len(points)
        for y in range(int(min(ys)), int(max(ys)) + 1):
            for x in range(int(min(xs)), int(max(xs)) + 1):
                cx, cy = x + 0.5, y + 0.5
                sides = set()
                for i in range(n):
                    (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
                    cross = (x1 - x0) * (cy - y0) - (y1 - y0) * (cx - x0)
                    sides.add(cross > 0)
                if len(sides) == 1:
                    self.put(x, y, colour)

    def dithered(self, top, bottom, upper, lower):
        """A vertical blend from `upper` to `lower` by ordered dithering."""
        for y in range(top, bottom):
            level = (y - top) * 16 // max(bottom - top, 1)
            for x in range(self.width):
                self.put(x, y, lower if BAYER[y % 4][x % 4] < level else upper)


def draw_box(canvas, x, y, size):
    """An open package box whose front face is size wide, top-left at (x, y)."""
    depth = size // 3
    front = [(x, y + depth), (x + size, y + depth), (x + size, y + depth + size), (x, y + depth + size)]
    side = [(x + size, y + depth), (x + size + depth, y), (x + size + depth, y + size),
            (x + size, y + depth + size)]
    inside = [(x, y + depth), (x + depth, y), (x + size + depth, y), (x + size, y + depth)]
    canvas.polygon(inside, GREY)
    canvas.polygon(side, OLIVE)
    canvas.polygon(front, YELLOW)
    flap = max(size // 4, 2)
    canvas.polygon([(x, y + depth), (x - flap, y + depth - flap), (x + depth - flap, y - flap),
                    (x + depth, y)], OLIVE)
    canvas.polygon([(x + size, y + depth), (x + size + flap, y + depth + flap - depth),
                    (x + size + depth + flap, y - flap), (x + size + depth, y)], YELLOW)
    tape = max(size // 8, 1)
    canvas.rect(x + size // 2 - tape, y + depth, x + size // 2 + tape, y + depth + size, OLIVE)


def draw_disk(canvas, x, y, size):
    canvas.rect(x, y, x + size, y + size, BLUE)
    canvas.rect(x + size // 5, y, x + size * 4 // 5, y + size * 2 // 5, SILVER)
    canvas.rect(x + size * 3 // 5, y + size // 20, x + size * 7 // 10, y + size * 7 // 20, BLUE)
    canvas.rect(x + size // 6, y + size // 2, x + size * 5 // 6, y + size, WHITE)


def side_picture():
    canvas = Canvas(120, 260, NAVY)
    canvas.dithered(0, 130, NAVY, BLUE)
    canvas.dithered(130, 260, BLUE, TEAL)
    for star_x, star_y in [(14, 18), (90, 30), (52, 12), (104, 70), (24, 60), (70, 48)]:
        canvas.put(star_x, star_y, WHITE)
    draw_disk(canvas, 38, 62, 40)
    for y in range(108, 128, 6):
        canvas.rect(56, y, 60, y + 3, CYAN)
    draw_box(canvas, 22, 140, 56)
    canvas.rect(0, 236, 120, 260, NAVY)
    canvas.rect(0, 236, 120, 237, CYAN)
    return canvas


def icon(size):
    canvas = Canvas(size, size, None)
    draw_box(canvas, size // 8, size * 3 // 8, size * 9 // 16)
    draw_disk(canvas, size * 3 // 8, 0, size * 5 // 16)
    return canvas


def pack_4bit_rows(canvas, transparent_as):
    rows = b""
    for y in reversed(range(canvas.height)):
        row = [transparent_as if c is None else c for c in canvas.pixels[y]]
        data = bytes((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0)
                     for i in range(0, len(row), 2))
        rows += data + b"\0" * ((4 - len(data) % 4) % 4)
    return rows


def mask_rows(canvas):
    rows = b""
    for y in reversed(range(canvas.height)):
        bits = 0
        data = bytearray()
        for x in range(canvas.width):
            bits = (bits << 1) | (1 if canvas.pixels[y][x] is None else 0)
            if x % 8 == 7:
                data.append(bits)
                bits = 0
        if canvas.width % 8:
            data.append(bits << (8 - canvas.width % 8))
        rows += bytes(data) + b"\0" * ((4 - len(data) % 4) % 4)
    return rows


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 16)


def bitmap_file(canvas):
    pixels = pack_4bit_rows(canvas, BLACK)
    header = info_header(canvas.width, canvas.height, len(pixels)) + palette_bytes()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_file(canvases):
    images = []
    for canvas in canvases:
        pixels = pack_4bit_rows(canvas, BLACK)
        mask = mask_rows(canvas)
        images.append(info_header(canvas.width, canvas.height * 2, len(pixels) + len(mask)) +
                      palette_bytes() + pixels + mask)
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        data += struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "side.bmp"), "wb") as f:
        f.write(bitmap_file(side_picture()))
    with open(os.path.join(out, "setup.ico"), "wb") as f:
        f.write(icon_file([icon(32), icon(16)]))


if __name__ == "__main__":
    main()
