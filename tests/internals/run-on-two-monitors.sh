#!/usr/bin/env bash
# Runs the TwoMonitors suite of test_internals on a display of two screens joined by Xinerama (RandR off, so
# that Wine describes the screens as monitors), in a Wine prefix of its own: the build's prefix already has
# its desktop on the one-screen display of the other tests.
#   run-on-two-monitors.sh <wine-run> <test_internals.exe> <prefix folder>
set -uo pipefail
export WINEPREFIX=$3 WINEARCH=win64 WINEDEBUG=-all PARDALIN_TWO_MONITORS=1
exec xvfb-run -a -s '+xinerama -extension RANDR -screen 0 800x600x24 -screen 1 640x480x24' bash -c '
    # The server and the prefix exist before the program starts, so no helper process keeps its output open.
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    out=$("$0" "$1" --gtest_filter="TwoMonitors.*" 2>&1)
    rc=$?
    echo "$out"
    # A suite that is gone or skipped passes nothing.
    if [ $rc -eq 0 ] && ! grep -q "^\[       OK \] TwoMonitors\." <<<"$out"; then
        echo "FAIL: the two-monitor suite did not run"
        rc=1
    fi
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    exit $rc' "$1" "$2"
