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
# Start Wine before CTest: otherwise the first test's process starts wineserver, whose helpers keep
# that test's output open.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
# The same for the desktop process, which the first program to make a window starts otherwise: it keeps
# that test's output open until the whole run ends (rundll32 makes a window; the call itself does nothing).
wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null
# A failed test runs once more before it counts: under Wine a test process very rarely dies at start-up with
# no output at all. Both attempts are in the log, so a test that fails only sometimes still shows up there.
ctest --output-on-failure --timeout 300 -j "$(nproc)" --repeat until-pass:2 "$@"
rc=$?
# Stop Wine while the display still exists.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
exit $rc
