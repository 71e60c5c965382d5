#!/usr/bin/env bash
# Builds the menu benchmark and runs it in a fresh private Wine prefix set up like the tests'.
# Prints TallowfinMenu.exe's start-to-menu time over a mirror of 20 shortcuts and one of the
# same 20 plus 5,000 in 200 folders. Args: rounds (default 9), then --32 to time the 32-bit build
# instead of the 64-bit one that 64-bit Windows (and this prefix) runs.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_tools
log "Windows build"
build_win

prefix=$BUILD_ROOT/wine-bench-menu
fresh_prefix "$BUILD_ROOT/wine-template" "$prefix"
TALLOWFIN_OWN_DISPLAY=1 start_display
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; stop_display; rm -rf "$prefix"' EXIT
start_wine_services "$prefix"

log "menu benchmark"
wine_env "$prefix"
menu=$WIN64_BUILD/TallowfinMenu64.exe
[ "${2:-}" = --32 ] && menu=$WIN_BUILD/TallowfinMenu.exe
wine "$WIN_BUILD/bench/menu_bench.exe" "${1:-9}" "$(winepath -w "$menu" 2>/dev/null)"
