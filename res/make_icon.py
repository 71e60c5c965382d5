#!/usr/bin/env python3
"""Draws Tallowfin's icon (a white fin over a wave on a teal disc) as an .ico with 32-bit
pictures with alpha at 16, 24, 32 and 48 pixels and a 256-pixel PNG, each drawn for its own
size rather than scaled from another. Python's standard library only, and the same bytes on
every run. Run: python3 res/make_icon.py res/tallowfin.ico"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
# Colours as (red, green, blue).
TEAL = (0, 128, 128)
DEEP = (0, 92, 104)
RIM = (0, 0, 128)
WHITE = (255, 255, 255)
FOAM = (0, 224, 224)


def design(n):
    """The shapes for an n-pixel picture: lines are kept at least one pixel wide and the wave
    has fewer crests where there is no room for more."""
    pixel = 1.0 / n
    return {
        'rim': max(pixel * 1.2, 0.045),  # width of the dark rim, in units of the picture
        'crests': 4 if n <= 24 else 6 if n <= 48 else 8,
        'wave': max(pixel * 2, 0.08),  # height of the water line
    }


def colour_at(u, v, d):
    """The colour at (u, v) in the unit square (v grows downwards), or None outside the disc."""
    r2 = (u - 0.5) ** 2 + (v - 0.5) ** 2
    if r2 > 0.25:
        return None
    if r2 > (0.5 - d['rim']) ** 2:
        return RIM
    water = 0.66
    # The fin: a curved triangle rising from the water line.
    if 0.25 <= u <= 0.72 and v <= water:
        top = 0.18 + 2.7 * (u - 0.25) ** 2
        if v >= top and v >= water - (0.72 - u) * 1.6:
            return WHITE
    if water <= v <= water + d['wave']:
        return WHITE if int(u * 2 * d['crests']) % 2 == 0 else FOAM
    # A little depth: darker below the water line.
    return DEEP if v > water else TEAL


def draw(n, samples):
    """Rows of (red, green, blue, alpha) for an n x n picture, top row first; each pixel the
    average of samples x samples points, so that edges are smooth at every size."""
    d = design(n)
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            r = g = b = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((x + (sx + 0.5) / samples) / n, (y + (sy + 0.5) / samples) / n, d)
                    if c is not None:
                        r, g, b, covered = r + c[0], g + c[1], b + c[2], covered + 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = (covered * 255 + samples * samples // 2) // (samples * samples)
                row.append((r // covered, g // covered, b // covered, alpha))
        rows.append(row)
    return rows


def bmp_entry(rows):
    """A 32-bit icon picture: the header (height doubled for the mask), the bottom-up BGRA rows,
    and the AND mask that older readers use (set where the picture is fully transparent)."""
    n = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = b''
    stride = ((n + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def png_entry(rows):
    n = len(rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))

    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', n, n, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(path):
    pictures = []
    for n in SIZES:
        # Large pictures need fewer samples per pixel for the same smoothness.
        rows = draw(n, 8 if n <= 48 else 3)
        pictures.append((n, png_entry(rows) if n >= 256 else bmp_entry(rows)))
    out = struct.pack('<HHH', 0, 1, len(pictures))
    offset = 6 + 16 * len(pictures)
    for n, data in pictures:
        side = n if n < 256 else 0  # 0 stands for 256
        out += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in pictures)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'tallowfin.ico')
