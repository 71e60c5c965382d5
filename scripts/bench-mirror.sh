#!/usr/bin/env bash
# Builds the mirror benchmark and runs it in a fresh private Wine prefix set up like the tests'.
# Prints the pass beside its platform floor and a raw copy per profile size, and its working
# set beside the idle main window's. Args: profile sizes in shortcuts (default 400 10000).
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_tools
log "Windows build"
build_win

prefix=$BUILD_ROOT/wine-bench-mirror
fresh_prefix "$BUILD_ROOT/wine-template" "$prefix"
TALLOWFIN_OWN_DISPLAY=1 start_display
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; stop_display; rm -rf "$prefix"' EXIT

log "mirror benchmark"
wine_env "$prefix"
wine "$WIN_BUILD/bench/mirror_bench.exe" "$@"
