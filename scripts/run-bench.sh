#!/usr/bin/env bash
# Runs every benchmark program; each prints one "BENCH name=<id> ratio=<x> target=<t>" line per comparison.
# Benchmarks write their large input files under build/bench-data, which is kept between runs.
set -euo pipefail
. "$(dirname "$0")/env.sh"

# Dialog benchmarks need a display; a private one keeps them off the user's.
if [ -z "${PARDALIN_IN_DISPLAY:-}" ]; then
    export PARDALIN_IN_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

mkdir -p "$build/bench-data"
wine_start
status=0
for program in "$build"/bin/bench_*.exe; do
    [ -e "$program" ] || continue
    (cd "$build/bench-data" && wine "$program" "$@") | tr -d '\r' || status=1
done
wine_stop
exit $status
