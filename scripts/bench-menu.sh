#!/usr/bin/env bash
# Builds the menu benchmark and runs it in a fresh private Wine prefix set up like the tests'.
# Prints TallowfinMenu.exe's start-to-menu time over a mirror of 20 shortcuts and one of the
# same 20 plus 5,000 in 200 folders. Args, in any order: rounds (default 9); --32 to time the
# 32-bit build instead of the 64-bit one that 64-bit Windows (and this prefix) runs; --find to
# time "Find a program..." instead: its first screenful of rows and each keystroke.
set -euo pipefail
source "$(dirname "$0")/common.sh"

rounds=9 bits=64 find=""
for arg in "$@"; do
    case $arg in
    --32) bits=32 ;;
    --find) find=--find ;;
    *) rounds=$arg ;;
    esac
done

ensure_tools
log "Windows build"
if [ "$bits" = 32 ]; then
    build_win
else
    WIN64_TARGETS="TallowfinMenu64 menu_bench" build_win64
fi

prefix=$BUILD_ROOT/wine-bench-menu
fresh_prefix "$BUILD_ROOT/wine-template" "$prefix"
TALLOWFIN_OWN_DISPLAY=1 start_display
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; stop_display; rm -rf "$prefix"' EXIT
start_wine_services "$prefix"

log "menu benchmark"
wine_env "$prefix"
menu=$WIN64_BUILD/TallowfinMenu64.exe
[ "$bits" = 32 ] && menu=$WIN_BUILD/TallowfinMenu.exe
# The benchmark itself from the build whose programs this machine runs.
wine "$(runnable_build)/bench/menu_bench.exe" "$rounds" "$(wine winepath -w "$menu" 2>/dev/null)" $find
