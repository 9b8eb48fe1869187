#!/usr/bin/env bash
# Installs the SDK from the build tree into a folder of its own, builds the host projects under examples/
# that know the library only through find_package, and runs them under Wine: SdkHost checks itself, and the
# driver works DialogHost's dialogs through their windows. The steps can run apart (build, then run), so that
# only the run, which needs the display to itself, holds up other tests.
# usage: check-sdk.sh <build dir> <work dir> <wine-run.sh> <DialogHostDriver.exe> [build|run]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 work=$2 wine_run=$3 driver=$4 step=${5:-all}
if [ "$step" != run ]; then
    rm -rf "$work/sdk"
    cmake --install "$build" --prefix "$work/sdk" >/dev/null
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    for host in sdk-host dialog-host; do
        cmake -S "$root/examples/$host" -B "$work/$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            "${launcher[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_PREFIX_PATH="$work/sdk" >/dev/null
        cmake --build "$work/$host" >/dev/null
    done
fi
if [ "$step" != build ]; then
    "$wine_run" "$work/sdk-host/SdkHost.exe"
    "$wine_run" "$driver" "$work/dialog-host/DialogHost.exe"
fi
