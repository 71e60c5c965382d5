#!/usr/bin/env bash
# Runs the whole suite (./test.sh, with any arguments) beside one busy loop per core, the way a
# shared CI machine loads it, and prints the wall time. Not part of CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

loops=()
stop_loops() {
    local pid
    for pid in "${loops[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${loops[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    loops=()
}
# Every way out ends the loops: the suite's end, a failure, Ctrl+C or a kill.
trap stop_loops EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

cores=$(nproc)
for _ in $(seq "$cores"); do
    # A subshell that only spins: no output, no files, killed by its process id.
    (while :; do :; done) &
    loops+=("$!")
done
echo "== $cores busy loops running (pids ${loops[*]})"

start=$(date +%s)
status=0
"$root/test.sh" "$@" || status=$?
end=$(date +%s)
stop_loops
elapsed=$((end - start))
printf '== suite under load: %s; wall time %d min %02d s\n' \
    "$([ "$status" = 0 ] && echo passed || echo "FAILED (exit $status)")" \
    $((elapsed / 60)) $((elapsed % 60))
exit "$status"
