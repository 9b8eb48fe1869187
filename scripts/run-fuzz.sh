#!/usr/bin/env bash
# Long fuzz rounds. The test suite runs the same harnesses with a small round count.
set -euo pipefail
. "$(dirname "$0")/env.sh"
export PARDALIN_FUZZ_ROUNDS=${PARDALIN_FUZZ_ROUNDS:-200000}
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
status=0
if [ -e "$build/bin/test_fuzz.exe" ]; then
    (cd "$build" && wine bin/test_fuzz.exe) | tr -d '\r' || status=1
else
    echo "no fuzz harness built"
fi
wineserver -k >/dev/null 2>&1 || true
exit $status
