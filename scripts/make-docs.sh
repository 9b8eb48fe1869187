#!/usr/bin/env bash
# The API reference: Doxygen over the headers a host includes, HTML in out/docs/html. Any Doxygen warning,
# an undocumented exported name included, fails the run and is printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v doxygen >/dev/null; then
    echo "docs: installing doxygen"
    sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends doxygen >/dev/null
fi
out=${PARDALIN_DOCS_OUT:-$root/out/docs}
rm -rf "$out"
mkdir -p "$out"
PARDALIN_VERSION=$(sed -nE 's/^project\(Pardalin67U VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
export PARDALIN_VERSION PARDALIN_DOCS_OUT=$out
cd "$root"
if ! doxygen docs/Doxyfile || [ -s "$out/warnings.txt" ]; then
    cat "$out/warnings.txt"
    echo "docs: $(grep -cE "(warning|error):" "$out/warnings.txt" || true) warnings (see $out/warnings.txt)"
    exit 1
fi
echo "docs: $out/html/index.html"
