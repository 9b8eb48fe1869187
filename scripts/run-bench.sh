#!/usr/bin/env bash
# Runs every benchmark program; each prints one "BENCH name=<id> ratio=<x> target=<t>" line per comparison.
# Benchmarks write their large input files under build/bench-data, which is kept between runs. The figures
# of a run go to docs/benchmarks.md (scripts/figures.py).
set -euo pipefail
. "$(dirname "$0")/env.sh"

# Dialog benchmarks need a display; a private one keeps them off the user's.
if [ -z "${PARDALIN_IN_DISPLAY:-}" ]; then
    export PARDALIN_IN_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

mkdir -p "$build/bench-data"

# The openssl side of the certificate benchmark, timed here because a Windows program cannot wait for a
# Linux one: a self-signed certificate with a new 2048-bit key, then the PFX with that key; best of fifteen
# runs, in seconds, handed to bench_certgen.exe in the environment.
openssl_certgen() {
    local dir=$build/bench-data/openssl-certgen best= start elapsed run
    mkdir -p "$dir"
    for run in $(seq 15); do
        start=$(date +%s%N)
        openssl req -x509 -newkey rsa:2048 -nodes -subj '/CN=bench.example.com/O=Example Org/C=US' -days 365 \
            -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null &&
            openssl pkcs12 -export -inkey "$dir/key.pem" -in "$dir/cert.pem" -passout pass: -out "$dir/cert.pfx" ||
            return 1
        elapsed=$(($(date +%s%N) - start))
        if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    done
    printf '%d.%09d\n' $((best / 1000000000)) $((best % 1000000000))
}
PARDALIN_BENCH_OPENSSL_CERTGEN=$(openssl_certgen) || echo "certgen: openssl failed"
export PARDALIN_BENCH_OPENSSL_CERTGEN

log=$build/bench-data/bench.log
: >"$log"
wine_start
status=0
for program in "$build"/bin/bench_*.exe; do
    [ -e "$program" ] || continue
    (cd "$build/bench-data" && wine "$program" "$@") 2>&1 | tr -d '\r' | tee -a "$log" || status=1
done
wine_stop
python3 "$root/scripts/figures.py" bench "$log"
exit $status
