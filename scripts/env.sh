# Sourced by the other scripts: where the build and the Wine prefix live, a quiet Wine, and its start and stop.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
export WINEPREFIX=$build/wineprefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts the Wine server and its helper processes before the programs that are measured or tested. A program
# that starts them itself hands them its output pipes, which they keep open: CTest then waits for the
# program until the helpers end. With a display, the desktop process is started too (rundll32 makes a window;
# the call itself does nothing), and a keeper process holds the desktop for the whole run: Wine closes the
# desktop process a few seconds after the last program on it ends, and the next program to start would then
# start it again and hand it its output pipe (a test that hangs after it has passed). The keeper is a `pause`
# that reads a pipe nobody writes; wine_stop closes the pipe.
wine_start() {
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    if [ -n "${DISPLAY:-}" ]; then
        local keeper=$WINEPREFIX/.desktop-keeper
        rm -f "$keeper"
        mkfifo "$keeper"
        wine cmd /c pause <"$keeper" >/dev/null 2>&1 &
        exec 9>"$keeper"
        wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null
    fi
}

# Stops Wine and waits for it, while the display (if any) still exists.
wine_stop() {
    exec 9>&-
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/.desktop-keeper"
}
