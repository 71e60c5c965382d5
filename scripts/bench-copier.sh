#!/usr/bin/env bash
# Builds the copier benchmark and runs it in a fresh private Wine prefix set up like the tests'.
# Prints the per-shortcut cost of CopyShortcut beside the bare platform calls. Args: rounds.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_tools
log "Windows build"
build_win

prefix=$BUILD_ROOT/wine-bench
fresh_prefix "$BUILD_ROOT/wine-template" "$prefix"
TALLOWFIN_OWN_DISPLAY=1 start_display
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; stop_display; rm -rf "$prefix"' EXIT

log "copier benchmark"
wine_env "$prefix"
wine "$WIN_BUILD/bench/copier_bench.exe" "$@"
