#!/usr/bin/env python3
"""Draws Harpix's icons, a small golden harp, and writes them as 16-colour .ico files.

Run from this folder: python3 make_icons.py  (writes harpix.ico with 32x32 and 16x16 images,
and small.ico with a 16x16 image). With --preview DIR it also writes enlarged PNG previews.
"""
import math
import struct
import sys
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, SILVER, GRAY, YELLOW, WHITE = 0, 3, 7, 8, 11, 15
TRANSPARENT = None


def draw_harp(size):
    """Returns rows of palette indexes (or TRANSPARENT) for a harp drawn on a size x size grid."""
    s = size / 32.0
    grid = [[TRANSPARENT] * size for _ in range(size)]

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            grid[y][x] = colour

    def neck_top(x):
        return 3 + 3.5 * math.sin(math.pi * (x - 5) / 24.0)

    # Strings first, so that the frame is drawn over their ends.
    for xs in range(10, 27, 3):
        x = int(xs * s)
        top = int(round((neck_top(xs) + 3) * s))
        bottom = int(round((36 - xs) * s))
        for y in range(top, bottom):
            put(x, y, WHITE if size >= 32 else SILVER)
    # The curved neck along the top.
    for xs in range(4, 30):
        top = neck_top(xs)
        for ys in range(int(top), int(top) + 4):
            colour = BLACK if ys in (int(top), int(top) + 3) else YELLOW
            put(int(xs * s), int(ys * s), colour)
    # The soundbox, on the diagonal from the neck's end down to the pillar's foot.
    for xs in range(6, 29):
        for ys in range(35 - xs, 40 - xs):
            colour = BLACK if ys in (35 - xs, 39 - xs) else OLIVE
            put(int(xs * s), int(ys * s), colour)
    # The pillar on the left, with a highlight.
    for ys in range(3, 31):
        for xs in range(3, 8):
            colour = BLACK if xs in (3, 7) or ys in (3, 30) else (YELLOW if xs == 4 else OLIVE)
            put(int(xs * s), int(ys * s), colour)
    return grid


def icon_image(grid):
    """A BITMAPINFOHEADER, palette, 4-bit colour bitmap and 1-bit mask, rows bottom-up."""
    size = len(grid)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    colours = b''
    mask = b''
    for row in reversed(grid):
        nibbles = [0 if c is TRANSPARENT else c for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colours += packed.ljust(colour_row, b'\0')
        bits = 0
        out = b''
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is TRANSPARENT else 0)
            if i % 8 == 7:
                out += bytes([bits])
                bits = 0
        mask += out.ljust(mask_row, b'\0')
    return header + palette + colours + mask


def write_icon(path, grids):
    images = [icon_image(g) for g in grids]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for grid, image in zip(grids, images):
        size = len(grid)
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(data + b''.join(images))


def write_preview(path, grid, scale=8):
    size = len(grid)
    raw = b''
    for row in grid:
        line = b''
        for c in row:
            r, g, b = (230, 230, 230) if c is TRANSPARENT else PALETTE[c]
            line += bytes([r, g, b]) * scale
        raw += (b'\0' + line) * scale
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size * scale, size * scale, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


if __name__ == '__main__':
    large, small = draw_harp(32), draw_harp(16)
    write_icon('harpix.ico', [large, small])
    write_icon('small.ico', [small])
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        write_preview(sys.argv[2] + '/harpix-32.png', large)
        write_preview(sys.argv[2] + '/harpix-16.png', small, 16)
