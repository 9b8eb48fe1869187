#!/usr/bin/env bash
# Installs what the build needs (only what is missing), makes the Wine prefix once and configures CMake.
set -euo pipefail
. "$(dirname "$0")/env.sh"

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth cmake ninja-build googletest
          make imagemagick x11-utils xdotool openssl socat python3 doxygen
          # Wine's own fonts (Tahoma, Marlett for the caption buttons) and metric-compatible ones, so that
          # dialog units and text measure as on Windows.
          fonts-wine fonts-liberation)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$build"
if [ ! -f "$WINEPREFIX/.pardalin-ready" ]; then
    echo "setup: creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null
    # Unmanaged windows: dialogs under a bare Xvfb open in a fraction of the time.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    # A crashing test must fail, not wait for somebody to close the crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$WINEPREFIX/.pardalin-ready"
fi

# Wine's own fonts (Marlett draws the caption buttons, Tahoma is the dialog font): this Wine does not look in
# the folder the package puts them in, so the prefix's font folder gets them.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$fonts/"
fi

# Configures when there is no build tree yet, or when the cache belongs to another source folder or
# generator or has lost its toolchain (a moved or half-made tree): CMake would refuse or build the wrong thing.
cache=$build/CMakeCache.txt
stale=
if [ -f "$cache" ]; then
    grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$cache" || stale=1
    grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache" || stale=1
    grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$root/cmake/mingw-w64-x86_64.cmake\$" "$cache" || stale=1
fi
if [ -n "$stale" ]; then
    echo "setup: the CMake cache in $build is stale; configuring again"
    rm -rf "$cache" "$build/CMakeFiles" "$build/build.ninja"
fi
if [ ! -f "$build/build.ninja" ]; then
    launcher=()
    # Compiles go through ccache where it is installed (it is not needed).
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
