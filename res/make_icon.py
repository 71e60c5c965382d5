#!/usr/bin/env python3
"""Draws Tallowfin's icon (a white fin over a wave on a teal disc) as a 16-colour .ico
with 32x32 and 16x16 images. Run: python3 res/make_icon.py res/tallowfin.ico"""
import struct
import sys

# The standard 16-colour palette in VGA order, each entry as (blue, green, red).
PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
           (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
           (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
TEAL, DARK_TEAL, WHITE, NAVY = 6, 14, 15, 4


def pixel(n, x, y):
    """Colour index at (x, y) of an n x n image (y grows downwards), or None for transparent."""
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    d2 = (u - 0.5) ** 2 + (v - 0.5) ** 2
    if d2 > 0.25:
        return None
    if d2 > 0.20:
        return NAVY
    # The fin: a curved triangle rising from the water line.
    if 0.25 <= u <= 0.72 and v <= 0.66:
        top = 0.18 + 0.9 * (u - 0.25) ** 2 * 3
        if v >= top and v >= 0.66 - (0.72 - u) * 1.6:
            return WHITE
    # The water line below the fin.
    if 0.66 <= v <= 0.74:
        return WHITE if int(u * 8) % 2 == 0 else DARK_TEAL
    return TEAL


def image(n):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (b, g, r) in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(n)):  # bottom-up rows
        colours = [pixel(n, x, y) for x in range(n)]
        nibbles = [c if c is not None else 0 for c in colours]
        row = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, n, 2))
        xor_rows.append(row + b'\0' * (-len(row) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(colours):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b'\0' * (-len(mask) % 4))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'tallowfin.ico')
