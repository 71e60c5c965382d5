#!/usr/bin/env bash
# Runs one of our Windows programs under Wine in the test prefix; the exit code passes through.
# TALLOWFIN_WINEPREFIX names the prefix (the test command sets it); DISPLAY must be set.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
wine_env "${TALLOWFIN_WINEPREFIX:?the test prefix is set by the test command}"
choose_wine
exec "$TALLOWFIN_WINE" "$@"
