#!/usr/bin/env bash
# Builds the release of the checked-out commit twice, each in a fresh clone in its own temporary
# folder, the second under umask 077, in another time zone and later, and compares the four
# programs and the zip. Prints the SHA-256 of each file of both builds; exits non-zero on any
# difference. Takes a few minutes; not part of ./test.sh.
#
#   scripts/check-reproducible.sh [commit]      (default: HEAD)
set -euo pipefail
source "$(dirname "$0")/common.sh"

commit=$(git -C "$TALLOWFIN_ROOT" rev-parse --verify "${1:-HEAD}^{commit}")
ensure_tools
work=$(mktemp -d "${TMPDIR:-/tmp}/tallowfin-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
files="Tallowfin.exe TallowfinMenu.exe Tallowfin64.exe TallowfinMenu64.exe Tallowfin-*-win32.zip"

# build_release FOLDER: a clone of the commit in FOLDER/src, its release in FOLDER/out. Only
# the programs and the zip are built; no tests.
build_release() {
    local top=$1
    git clone --quiet --no-checkout "$TALLOWFIN_ROOT" "$top/src"
    git -C "$top/src" -c advice.detachedHead=false checkout --quiet "$commit"
    cmake -S "$top/src" -B "$top/win64" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/src/cmake/mingw-x86_64.cmake" -DTALLOWFIN_WINE_TESTS=OFF >/dev/null
    cmake --build "$top/win64" -j"$(nproc)" --target Tallowfin64 TallowfinMenu64 >/dev/null
    cmake -S "$top/src" -B "$top/win" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/src/cmake/mingw-i686.cmake" -DTALLOWFIN_WINE_TESTS=OFF \
        -DTALLOWFIN_WIN64_BUILD="$top/win64" >/dev/null
    cmake --build "$top/win" -j"$(nproc)" --target package >/dev/null
    mkdir "$top/out"
    cp "$top"/win/Tallowfin.exe "$top"/win/TallowfinMenu.exe "$top"/win64/Tallowfin64.exe \
        "$top"/win64/TallowfinMenu64.exe "$top"/win/Tallowfin-*-win32.zip "$top/out/"
}

log "first build of $commit in $work/one"
(umask 022 && build_release "$work/one")
# Later by at least the zip format's two-second grain, whatever the build took.
sleep 3
log "second build in $work/two (umask 077, another time zone)"
(umask 077 && export TZ=Pacific/Kiritimati && build_release "$work/two")

status=0
for pattern in $files; do
    for one in "$work"/one/out/$pattern; do
        name=$(basename "$one")
        a=$(sha256sum <"$one" | cut -d' ' -f1)
        b=$(sha256sum <"$work/two/out/$name" | cut -d' ' -f1)
        if [ "$a" = "$b" ]; then
            printf '%s  %s  same\n' "$a" "$name"
        else
            printf '%s  %s  first build\n%s  %s  second build: DIFFERENT\n' "$a" "$name" "$b" "$name"
            status=1
        fi
    done
done
# No build folder may end up in a program.
for folder in "$work/one" "$work/two"; do
    if grep -l -F "$folder" "$work"/*/out/*.exe; then
        echo "a build folder ($folder) is written in the programs above"
        status=1
    fi
done
python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).read("TOOLCHAIN.txt").decode())' \
    "$work"/one/out/Tallowfin-*-win32.zip
[ "$status" = 0 ] && log "both builds are byte for byte the same" || log "the builds differ"
exit $status
