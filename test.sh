#!/usr/bin/env bash
# Builds Tallowfin and runs every test: native sanitizer tests and the Wine tests.
# Installs what is missing on Debian 12. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_tools
log "native build (sanitizers)"
build_host
log "Windows build"
build_win -DTALLOWFIN_HOST_TESTS="$HOST_BUILD/tallowfin_host_tests"

export TALLOWFIN_WINEPREFIX=$BUILD_ROOT/wine
fresh_prefix "$BUILD_ROOT/wine-template" "$TALLOWFIN_WINEPREFIX"
TALLOWFIN_OWN_DISPLAY=1 start_display
trap 'WINEPREFIX=$TALLOWFIN_WINEPREFIX wineserver -k 2>/dev/null || true; stop_display' EXIT
start_wine_services "$TALLOWFIN_WINEPREFIX"

# The 32-bit build holds the checks that need no Wine, and its Wine tests where 32-bit programs
# run; the 64-bit build its own Wine tests. Both folders' results count.
status=0
log "tests of the 32-bit build"
(cd "$WIN_BUILD" && ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@") || status=1
log "tests of the 64-bit build"
(cd "$WIN64_BUILD" && ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@") || status=1
[ "$RUNS_32BIT" = 1 ] || log "this machine runs no 32-bit code: the 32-bit programs were built and checked, not run"
exit $status
