#!/usr/bin/env bash
# Runs the demo host in its scripted mode on a private X display. It walks through the library by itself
# and ends; its log, files and screenshots are written to out/demo/.
set -euo pipefail
. "$(dirname "$0")/env.sh"
out=$root/out/demo

if [ -z "${PARDALIN_IN_DISPLAY:-}" ]; then
    export PARDALIN_IN_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

rm -rf "$out"
mkdir -p "$out"
wine_start

# The demo asks for a screenshot by leaving NAME.request in its folder and goes on once NAME.png is there.
# Runs the demo once with the given arguments and answers its requests until it ends; returns its exit code.
run_demo() {
    (cd "$build/bin" && exec wine demo.exe --scripted --out "$(winepath -w "$out")" "$@") >/dev/null 2>&1 &
    local demo=$! deadline=$((SECONDS + 120)) request name
    while kill -0 "$demo" 2>/dev/null; do
        for request in "$out"/*.request; do
            [ -e "$request" ] || continue
            name=$(basename "$request" .request)
            sleep 0.3 # let the window finish painting
            import -window root "png:$out/$name.png.tmp" && mv "$out/$name.png.tmp" "$out/$name.png"
            rm -f "$request"
        done
        if [ $SECONDS -gt $deadline ]; then
            echo "demo: no end after 120 s; stopping it" >&2
            kill "$demo" 2>/dev/null || true
        fi
        sleep 0.1
    done
    wait "$demo"
}

# The second run starts from what the first one saved: its recent files and its window's place.
set +e
run_demo --run 1 "$@"
rc=$?
run_demo --run 2 "$@"
rc2=$?
set -e
[ "$rc" -eq 0 ] && rc=$rc2
wine_stop

[ -f "$out/demo.log" ] && cat "$out/demo.log"
echo "demo output: $out ($(cd "$out" && ls *.png 2>/dev/null | tr '\n' ' '))"
exit "$rc"
