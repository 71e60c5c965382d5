#!/usr/bin/env python3
"""Reads each given program's resources as Windows would and fails unless its manifest asks for
Common Controls 6 and per-monitor DPI awareness, and its icon 105 holds 32-bit pictures with
alpha at 16, 24, 32 and 48 pixels and a 256-pixel PNG."""
import re
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
ICON_SIDES = (16, 24, 32, 48, 256)


def resources(image):
    """{(type, id): bytes} for every resource with a numeric type and id."""
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0':
        raise ValueError('not a PE file')
    sections, optional_size = struct.unpack_from('<H12xH', image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from('<H', image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    root_rva = struct.unpack_from('<I', image, directories + 2 * 8)[0]
    table = [struct.unpack_from('<8xIIII', image, optional + optional_size + 40 * i)
             for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in table:
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw
        raise ValueError(f'address {rva:#x} in no section')

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from('<12xHH', image, root + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from('<II', image, root + directory + 16 + 8 * i)
            if not name & 0x80000000:
                yield name, target

    found = {}
    for kind, by_kind in entries(0):
        for ident, by_id in entries(by_kind & 0x7FFFFFFF):
            for _, leaf in entries(by_id & 0x7FFFFFFF):
                rva, size = struct.unpack_from('<II', image, root + leaf)
                found[(kind, ident)] = image[offset(rva):offset(rva) + size]
    return found


def problems(path):
    with open(path, 'rb') as f:
        found = resources(f.read())
    manifest = found.get((RT_MANIFEST, 1), b'').decode('utf-8', 'replace')
    wanted = re.search(r'<dependentAssembly>\s*<assemblyIdentity[^>]*'
                       r'name="Microsoft\.Windows\.Common-Controls"[^>]*>', manifest)
    if not wanted or 'version="6.0.0.0"' not in wanted.group(0):
        yield 'the manifest asks for no Common Controls 6'
    if '>PerMonitorV2' not in manifest or '>true</dpiAware>' not in manifest:
        yield 'the manifest declares no per-monitor (v2) DPI awareness with a fallback'
    group = found.get((RT_GROUP_ICON, 105))
    if not group:
        yield 'no icon 105'
        return
    sides = []
    for i in range(struct.unpack_from('<H', group, 4)[0]):
        width, height, _, _, _, bits, _, ident = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        side = width or 256
        picture = found.get((RT_ICON, ident), b'')
        if side == 256:
            if not picture.startswith(b'\x89PNG'):
                yield 'the 256-pixel picture is no PNG'
        elif bits != 32 or struct.unpack_from('<H', picture, 14)[0] != 32:
            yield f'the {side}-pixel picture has {bits} bits per pixel, not 32'
        else:
            alphas = set(picture[40 + 3:40 + side * side * 4:4])
            if not alphas - {0, 255}:
                yield f'the {side}-pixel picture has no soft edges (alpha only 0 and 255)'
        sides.append(side)
    if sorted(sides) != list(ICON_SIDES):
        yield f'icon 105 holds {sorted(sides)}, not {list(ICON_SIDES)}'


def main(paths):
    status = 0
    for path in paths:
        try:
            found = list(problems(path))
        except (OSError, ValueError, struct.error) as error:
            found = [f'unreadable: {error}']
        print(f'{path}: ' + ('; '.join(found) if found else
                             'Common Controls 6, per-monitor DPI, icon at 16 24 32 48 256'))
        status |= bool(found)
    return status


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
