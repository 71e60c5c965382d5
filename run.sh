#!/usr/bin/env bash
# Builds Tallowfin and runs it under Wine in a demo prefix (build/demo-wine) with a sample
# profile of several dozen shortcuts. With a display the user works the program; without one
# the run is driven like a user would (boxes answered, screenshots in build/screenshots/demo).
# Either way it ends by printing the tree under Send To and the log.
# Installs what is missing on Debian 12.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_tools
log "Windows build"
# The programs of both builds, and the demo that drives them beside the build that runs here (the
# 64-bit one on a machine that runs no 32-bit code); no tests or benchmarks.
choose_wine
if [ "$RUNS_32BIT" = 1 ]; then
    WIN64_TARGETS="Tallowfin64 TallowfinMenu64" WIN_TARGETS="Tallowfin TallowfinMenu tallowfin_demo" build_win
else
    WIN64_TARGETS="Tallowfin64 TallowfinMenu64 tallowfin_demo" WIN_TARGETS="Tallowfin TallowfinMenu" build_win
fi
runs=$(runnable_build)
prefix=$BUILD_ROOT/demo-wine
make_template_prefix "$BUILD_ROOT/wine-template"
if [ ! -f "$prefix/$TEMPLATE_MARKER" ]; then
    rm -rf "$prefix"
    cp -a "$BUILD_ROOT/wine-template" "$prefix"
fi
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
start_display
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; stop_display' EXIT
wine_env "$prefix"
demo=$runs/demo/tallowfin_demo.exe
exe=$runs/Tallowfin.exe
[ -f "$exe" ] || exe=$runs/Tallowfin64.exe

log "sample profile"
wine "$demo" profile
if [ "$headless" = 1 ]; then
    export TALLOWFIN_SCREENSHOT_DIR=$BUILD_ROOT/screenshots/demo
    log "running $(basename "$exe") headless (display $DISPLAY, prefix $prefix)"
    wine "$demo" drive
    log "screenshots in $TALLOWFIN_SCREENSHOT_DIR:" $(cd "$TALLOWFIN_SCREENSHOT_DIR" && ls)
else
    log "running $(basename "$exe") (display $DISPLAY, prefix $prefix)"
    set +e
    (cd "$prefix/drive_c/TallowfinDemo" && wine "$exe")
    code=$?
    set -e
    log "$(basename "$exe") exited with code $code"
fi
log "what the run left behind"
wine "$demo" report
