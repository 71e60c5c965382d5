#!/usr/bin/env bash
# Builds Tallowfin and runs it under Wine in a demo prefix inside the build tree.
# Installs what is missing on Debian 12.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_tools
log "Windows build"
build_win
prefix=$BUILD_ROOT/demo-wine
make_template_prefix "$BUILD_ROOT/wine-template"
[ -d "$prefix" ] || cp -a "$BUILD_ROOT/wine-template" "$prefix"
start_display
trap 'stop_display' EXIT
wine_env "$prefix"
log "running Tallowfin.exe (display $DISPLAY, prefix $prefix)"
set +e
wine "$WIN_BUILD/Tallowfin.exe"
code=$?
set -e
WINEPREFIX=$prefix wineserver -w
log "Tallowfin.exe exited with code $code"
