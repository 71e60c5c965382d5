#!/usr/bin/env bash
# Runs every fuzz target of the native build (build/host/fuzz_*) for a number of executions each,
# from its seed corpus in tests/fuzz/corpus; the test command runs a short round, and
#   scripts/fuzz.sh            runs each for 10 million executions.
# Inputs that crash land in build/fuzz-findings. Exits non-zero on any finding.
set -euo pipefail
source "$(dirname "$0")/common.sh"

runs=${1:-10000000}
findings=$BUILD_ROOT/fuzz-findings
mkdir -p "$findings"
status=0 count=0
for target in "$HOST_BUILD"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    count=$((count + 1))
    # New inputs go to a scratch folder: the committed seeds stay as they are.
    scratch=$(mktemp -d)
    start=$(date +%s.%N)
    if "$target" -runs="$runs" -artifact_prefix="$findings/$name-" -print_final_stats=1 \
        "$scratch" "$TALLOWFIN_ROOT/tests/fuzz/corpus/$name" >"$findings/$name.log" 2>&1; then
        executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings/$name.log")
        awk -v n="$name" -v e="$executed" -v s="$start" -v t="$(date +%s.%N)" \
            'BEGIN { printf "%-22s %10s executions in %6.1f s, no findings\n", n, e, t - s }'
    else
        echo "$name: FINDING (log: $findings/$name.log)"
        tail -n 25 "$findings/$name.log"
        status=1
    fi
    rm -rf "$scratch"
done
[ "$count" -gt 0 ] || { echo "no fuzz targets in $HOST_BUILD"; exit 1; }
exit $status
