#!/usr/bin/env bash
# Runs every test under a private X display; the exit status is CTest's.
# Extra arguments go to CTest (for example -R Path to run some tests only).
set -uo pipefail
. "$(dirname "$0")/env.sh"

if [ -z "${PARDALIN_IN_DISPLAY:-}" ]; then
    export PARDALIN_IN_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

cd "$build"
export PARDALIN_FLAKY_LOG=$build/Testing/flaky.log
mkdir -p "$build/Testing"
rm -f "$PARDALIN_FLAKY_LOG"
wine_start
ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"
rc=$?
# Processes that died while starting and ran again (see scripts/wine-run.sh).
[ -f "$PARDALIN_FLAKY_LOG" ] && cat "$PARDALIN_FLAKY_LOG"
wine_stop
exit $rc
