#!/usr/bin/env bash
# Long fuzz rounds and the long socket soak. The test suite runs the same harnesses with a small round count.
set -euo pipefail
. "$(dirname "$0")/env.sh"
export PARDALIN_FUZZ_ROUNDS=${PARDALIN_FUZZ_ROUNDS:-200000}
wine_start
status=0
if [ -e "$build/bin/test_fuzz.exe" ]; then
    (cd "$build" && wine bin/test_fuzz.exe) | tr -d '\r' || status=1
else
    echo "no fuzz harness built"
fi
# The socket soak's long round (the test suite runs a few messages per connection).
if [ -e "$build/bin/test_net.exe" ]; then
    (cd "$build" && PARDALIN_SOAK_MESSAGES=${PARDALIN_SOAK_MESSAGES:-100} \
        wine bin/test_net.exe --gtest_filter='SocketSoak.*') | tr -d '\r' || status=1
fi
wine_stop

# 200 certificates made in a row, every one read by openssl (the test suite checks fewer).
if [ -e "$build/bin/CertificateWriter.exe" ]; then
    "$root/tests/certificates_modules/check-with-openssl.sh" "$root/scripts/wine-run.sh" \
        "$build/bin/CertificateWriter.exe" "$build/openssl-check-200" 200 || status=1
fi
exit $status
