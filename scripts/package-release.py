#!/usr/bin/env python3
"""Writes the release zip and its SHA-256 file so that two builds of one commit give the same
bytes: entries in a fixed order, each with the source's time stamp, fixed permissions and no
owner, plus TOOLCHAIN.txt with the versions of the tools that made the programs.

package-release.py ZIP EPOCH FILE... : EPOCH is the source's time (seconds since 1970)."""
import hashlib
import os
import shutil
import subprocess
import sys
import time
import zipfile
import zlib

# The Debian packages whose versions decide the programs' bytes.
PACKAGES = ('gcc-mingw-w64-i686-posix', 'g++-mingw-w64-i686-posix', 'binutils-mingw-w64-i686',
            'mingw-w64-i686-dev', 'gcc-mingw-w64-x86-64-posix', 'g++-mingw-w64-x86-64-posix',
            'binutils-mingw-w64-x86-64', 'mingw-w64-x86-64-dev', 'mingw-w64-common', 'cmake')
TOOLS = ('i686-w64-mingw32-g++-posix', 'i686-w64-mingw32-ld', 'i686-w64-mingw32-windres',
         'x86_64-w64-mingw32-g++-posix', 'x86_64-w64-mingw32-ld', 'x86_64-w64-mingw32-windres',
         'cmake')


def first_line(command):
    try:
        out = subprocess.run(command, capture_output=True, text=True, check=False).stdout
    except OSError:
        return 'not found'
    return out.splitlines()[0].strip() if out.strip() else 'not found'


def toolchain_text():
    lines = ['Tools that built the programs of this release. A rebuild of the same commit with',
             'these versions gives the same bytes (see README.md).', '', 'Debian packages:']
    for package in PACKAGES:
        version = first_line(['dpkg-query', '-W', '-f', '${Version}\n', package])
        lines.append(f'  {package} {version}')
    lines += ['', 'Tools:']
    for tool in TOOLS:
        path = shutil.which(tool)
        lines.append(f'  {tool}: {first_line([path, "--version"]) if path else "not found"}')
    # The zip's own compression comes from zlib.
    lines += ['', f'zlib {zlib.ZLIB_RUNTIME_VERSION} (compresses this zip)', '']
    return '\n'.join(lines).encode()


def add(archive, name, data, stamp):
    entry = zipfile.ZipInfo(name, date_time=stamp)
    entry.create_system = 3  # Unix, so that the permissions below are what readers see
    entry.external_attr = 0o100644 << 16
    entry.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(entry, data, compresslevel=9)


def main(zip_path, epoch, files):
    # Zip times have a two-second grain and start in 1980; the source's time, in UTC.
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]
    entries = [(os.path.basename(f), open(f, 'rb').read()) for f in files]
    entries.append(('TOOLCHAIN.txt', toolchain_text()))
    entries.sort(key=lambda e: e[0])
    partial = zip_path + '.part'
    with zipfile.ZipFile(partial, 'w') as archive:
        for name, data in entries:
            add(archive, name, data, stamp)
    os.replace(partial, zip_path)
    digest = hashlib.sha256(open(zip_path, 'rb').read()).hexdigest()
    with open(zip_path + '.sha256', 'w') as f:
        f.write(f'{digest}  {os.path.basename(zip_path)}\n')


if __name__ == '__main__':
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
