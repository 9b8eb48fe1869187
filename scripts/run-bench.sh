#!/usr/bin/env bash
# Runs every benchmark program; each prints one "BENCH name=<id> ratio=<x> target=<t>" line per comparison.
# Benchmarks write their large input files under build/bench-data, which is kept between runs.
set -euo pipefail
. "$(dirname "$0")/env.sh"
mkdir -p "$build/bench-data"
wine_start
status=0
for program in "$build"/bin/bench_*.exe; do
    [ -e "$program" ] || continue
    (cd "$build/bench-data" && wine "$program" "$@") | tr -d '\r' || status=1
done
wine_stop
exit $status
