#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest (the build's cross-compiling emulator); the exit status is the
# program's. Under load a Wine process very rarely dies while it starts, before the program's own code runs:
# it prints nothing at all and ends with a non-zero status. Such a process, and only such a one, runs once
# more, after a "FLAKY:" line that names it, its status and what Wine's loader said. A program that printed
# anything has run, and its status stands.
# The caller sets the Wine prefix (the build tree's). Only the loader's module errors are shown.
export WINEDEBUG=-all,err+module
WINE=${WINE:-wine}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
# Both streams pass through as they come, so a program that hangs still shows how far it got.
"$WINE" "$@" 2> >(tee "$err" >&2) | tee "$out"
rc=${PIPESTATUS[0]}
if [ $rc -ne 0 ] && [ ! -s "$out" ]; then
    line="FLAKY: $* printed nothing and ended with status $rc; Wine said: $(tr '\n' ' ' <"$err" | cut -c1-300)"
    echo "$line"
    # CTest shows a passing test's output to nobody: the test runner prints this file at the end.
    [ -n "${PARDALIN_FLAKY_LOG:-}" ] && echo "$line" >>"$PARDALIN_FLAKY_LOG"
    "$WINE" "$@"
    exit $?
fi
exit $rc
