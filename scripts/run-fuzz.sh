#!/usr/bin/env bash
# Long fuzz rounds, the long socket soak, the store's kill test and 200 certificates read by openssl. The test
# suite runs the same harnesses with small counts. `make fuzz INPUTS=<n>` sets the inputs per fuzz target
# (PARDALIN_FUZZ_ROUNDS); the figures of the run go to docs/benchmarks.md (scripts/figures.py).
set -euo pipefail
. "$(dirname "$0")/env.sh"
export PARDALIN_FUZZ_ROUNDS=${INPUTS:-${PARDALIN_FUZZ_ROUNDS:-200000}}
log=$build/fuzz.log
: >"$log"
wine_start
status=0
if [ -e "$build/bin/test_fuzz.exe" ]; then
    (cd "$build" && wine bin/test_fuzz.exe) 2>&1 | tr -d '\r' | tee -a "$log" || status=1
else
    echo "no fuzz harness built"
    status=1
fi
# The socket soak's long round (the test suite runs a few messages per connection).
if [ -e "$build/bin/test_net.exe" ]; then
    (cd "$build" && PARDALIN_SOAK_MESSAGES=${PARDALIN_SOAK_MESSAGES:-100} \
        wine bin/test_net.exe --gtest_filter='SocketSoak.*') 2>&1 | tr -d '\r' | tee -a "$log" || status=1
fi
# Writers of the profile store killed at random points of their writes.
if [ -e "$build/bin/test_hostkit_reliability.exe" ]; then
    (cd "$build/bin" && wine test_hostkit_reliability.exe --gtest_filter='*Killed*') 2>&1 | tr -d '\r' |
        tee -a "$log" || status=1
fi
wine_stop

# 200 certificates made in a row, every one read by openssl (the test suite checks fewer).
if [ -e "$build/bin/CertificateWriter.exe" ]; then
    "$root/tests/certificates_modules/check-with-openssl.sh" "$root/scripts/wine-run.sh" \
        "$build/bin/CertificateWriter.exe" "$build/openssl-check-200" 200 2>&1 | sed 's/^openssl read/openssl check: read/' |
        tee -a "$log" || status=1
fi
python3 "$root/scripts/figures.py" fuzz "$log"
exit $status
