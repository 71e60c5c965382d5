#!/usr/bin/env python3
"""Draws the Donate dialog's picture (a heart above the word DONATE on a gold badge) as a
62 x 31 bitmap with a 256-colour palette. Run: python3 res/make_donate.py res/donate.bmp"""
import struct
import sys

WIDTH, HEIGHT = 62, 31
# Palette entries as (red, green, blue); the rest of the 256 are black.
FACE, NAVY, GOLD, RED, SHADE = 0, 1, 2, 3, 4
COLOURS = [(212, 208, 200), (0, 48, 135), (255, 196, 57), (200, 30, 45), (214, 150, 20)]

HEART = ['.XX...XX.',
         'XXXX.XXXX',
         'XXXXXXXXX',
         'XXXXXXXXX',
         '.XXXXXXX.',
         '..XXXXX..',
         '...XXX...',
         '....X....']

GLYPHS = {
    'D': ['XXXX.', 'X...X', 'X...X', 'X...X', 'X...X', 'X...X', 'XXXX.'],
    'O': ['.XXX.', 'X...X', 'X...X', 'X...X', 'X...X', 'X...X', '.XXX.'],
    'N': ['X...X', 'XX..X', 'XX..X', 'X.X.X', 'X..XX', 'X..XX', 'X...X'],
    'A': ['.XXX.', 'X...X', 'X...X', 'XXXXX', 'X...X', 'X...X', 'X...X'],
    'T': ['XXXXX', '..X..', '..X..', '..X..', '..X..', '..X..', '..X..'],
    'E': ['XXXXX', 'X....', 'X....', 'XXXX.', 'X....', 'X....', 'XXXXX'],
}


def inside_badge(x, y, radius=5, left=1, top=1, right=60, bottom=29):
    """True inside the rounded rectangle [left, right] x [top, bottom]."""
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return left <= x <= right and top <= y <= bottom and (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def picture():
    rows = [[FACE] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if inside_badge(x, y):
                edge = not all(inside_badge(x + dx, y + dy)
                               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                rows[y][x] = NAVY if edge else (SHADE if y > 24 else GOLD)
    for dy, line in enumerate(HEART):
        for dx, c in enumerate(line):
            if c == 'X':
                rows[4 + dy][27 + dx] = RED
    x = 14
    for letter in 'DONATE':
        for dy, line in enumerate(GLYPHS[letter]):
            for dx, c in enumerate(line):
                if c == 'X':
                    rows[15 + dy][x + dx] = NAVY
        x += 6
    return rows


def main(path):
    stride = (WIDTH + 3) // 4 * 4
    pixels = b''.join(bytes(row) + b'\0' * (stride - WIDTH) for row in reversed(picture()))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in COLOURS)
    palette += b'\0' * (4 * (256 - len(COLOURS)))
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835,
                       256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'donate.bmp')
