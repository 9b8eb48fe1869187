#!/usr/bin/env bash
# Runs the demo host in its scripted mode on a private X display. What it shows is written to out/demo/.
set -euo pipefail
. "$(dirname "$0")/env.sh"
out=$root/out/demo
mkdir -p "$out"

if [ -z "${PARDALIN_IN_DISPLAY:-}" ]; then
    export PARDALIN_IN_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
set +e
(cd "$build/bin" && wine demo.exe "$@") 2>&1 | tr -d '\r' | tee "$out/demo.log"
rc=${PIPESTATUS[0]}
set -e
wineserver -k >/dev/null 2>&1 || true
echo "demo output: $out"
exit "$rc"
