#!/usr/bin/env bash
# Builds the release zip in the Windows build folder $1 and fails unless it holds exactly the
# shipped files, with every program stripped and Tallowfin.exe within its size goal, each
# program's manifest and icon as Windows 10 and 11 want them (scripts/check-resources.py), and its
# SHA-256 checksum file beside it matches.
set -eu
build=$(cd "$1" && pwd)
max_exe_bytes=262144
cmake --build "$build" --target package >/dev/null
zip=$(ls "$build"/Tallowfin-*-win32.zip)
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes"
listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
echo "contents: $listing"
[ "$listing" = "LICENSE README.md TOOLCHAIN.txt Tallowfin.exe Tallowfin64.exe TallowfinMenu.exe TallowfinMenu64.exe " ] || { echo "unexpected contents"; exit 1; }
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256") || { echo "no matching checksum file"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cmake -E tar xf "$zip")
size=$(stat -c %s "$scratch/Tallowfin.exe")
echo "Tallowfin.exe: $size bytes (goal at most $max_exe_bytes)"
[ "$size" -le "$max_exe_bytes" ] || exit 1
for exe in Tallowfin.exe Tallowfin64.exe TallowfinMenu.exe TallowfinMenu64.exe; do
    if x86_64-w64-mingw32-objdump -h "$scratch/$exe" | grep -q '\.debug\|\.stab'; then
        echo "$exe carries debug sections"
        exit 1
    fi
done
python3 "$(dirname "$0")/check-resources.py" "$scratch"/Tallowfin.exe "$scratch"/Tallowfin64.exe \
    "$scratch"/TallowfinMenu.exe "$scratch"/TallowfinMenu64.exe
