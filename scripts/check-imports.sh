#!/usr/bin/env bash
# Fails unless every DLL that each given exe imports ships with Windows itself (no MinGW runtime
# DLLs).
set -eu
system='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|winmm|version|msvcrt|api-ms-win-.*)\.dll$'
status=0
for exe in "$@"; do
    if [ ! -f "$exe" ]; then
        echo "no such program: $exe"
        status=1
        continue
    fi
    # The 64-bit objdump reads 32-bit and 64-bit programs alike.
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
    echo "imports of $(basename "$exe"):" $dlls
    bad=$(printf '%s\n' $dlls | grep -Ev "$system" || true)
    if [ -n "$bad" ]; then
        echo "not a system DLL: $bad"
        status=1
    fi
done
exit $status
