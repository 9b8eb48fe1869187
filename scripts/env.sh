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
# the call itself does nothing), as the first program to make a window would otherwise start it.
wine_start() {
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    if [ -n "${DISPLAY:-}" ]; then
        wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null
    fi
}

# Stops Wine and waits for it, while the display (if any) still exists.
wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
