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
(cd "$build/bin" && exec wine demo.exe --scripted --out "$(winepath -w "$out")" "$@") >/dev/null 2>&1 &
demo=$!
deadline=$((SECONDS + 120))
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
set +e
wait "$demo"
rc=$?
set -e
wine_stop

[ -f "$out/demo.log" ] && cat "$out/demo.log"
echo "demo output: $out ($(cd "$out" && ls *.png 2>/dev/null | tr '\n' ' '))"
exit "$rc"
