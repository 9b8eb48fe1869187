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
[ "$rc" -eq 0 ] && rc=$rc2

# The command-line mode: a certificate with its request and PFX, made without a window; then bad arguments,
# which must end with the usage text and status 2.
(cd "$build/bin" && exec wine demo.exe --make-certificate "$(winepath -w "$out")\\demo-host.pfx" \
    --cn demo.example.com --org "Pardalin Demo" --unit Hosts --country US --days 90 --key-bits 2048 --request) \
    >"$out/certificate.txt" 2>&1
cert_rc=$?
(cd "$build/bin" && exec wine demo.exe --make-certificate bad.pfx --cn bad.example.com --key-bits 512) \
    >"$out/bad-arguments.txt" 2>&1
usage_rc=$?
set -e
wine_stop

[ -f "$out/demo.log" ] && cat "$out/demo.log"
# The certificate's files, read by openssl.
cert_failures=()
cert_fail() { cert_failures+=("$*"); }
tr -d '\r' <"$out/certificate.txt"
[ "$cert_rc" -eq 0 ] || cert_fail "the certificate command ended with status $cert_rc"
grep -q 'demo-host.pfx$' <(tr -d '\r' <"$out/certificate.txt") || cert_fail "the PFX's path was not printed"
grep -q 'demo-host.csr$' <(tr -d '\r' <"$out/certificate.txt") || cert_fail "the request's path was not printed"
pfx=$out/demo-host.pfx
openssl pkcs12 -in "$pfx" -info -passin pass: -nodes >/dev/null 2>&1 || cert_fail "openssl cannot read $pfx"
subject=$(openssl pkcs12 -in "$pfx" -passin pass: -nokeys 2>/dev/null | openssl x509 -noout -subject 2>&1)
[ "$subject" = 'subject=CN = demo.example.com, O = Pardalin Demo, OU = Hosts, C = US' ] ||
    cert_fail "the certificate's subject: $subject"
[ "$(openssl pkcs12 -in "$pfx" -passin pass: -nodes -nocerts 2>/dev/null | openssl rsa -noout -modulus 2>&1)" = \
  "$(openssl pkcs12 -in "$pfx" -passin pass: -nokeys 2>/dev/null | openssl x509 -noout -modulus 2>&1)" ] ||
    cert_fail "the PFX's key is not the certificate's"
verified=$(openssl req -in "$out/demo-host.csr" -noout -verify 2>&1) || true
grep -q 'verify OK' <<<"$verified" || cert_fail "openssl does not verify $out/demo-host.csr: $verified"
[ "$usage_rc" -eq 2 ] || cert_fail "bad arguments ended with status $usage_rc, not 2"
grep -q '^usage: demo --make-certificate' "$out/bad-arguments.txt" || cert_fail "bad arguments gave no usage text"
if [ ${#cert_failures[@]} -eq 0 ]; then
    echo "certificate: openssl reads demo-host.pfx and verifies demo-host.csr; bad arguments give the usage text"
else
    printf 'certificate: FAIL: %s\n' "${cert_failures[@]}"
    rc=1
fi

# The README's tour: the screenshots it shows, cut to the windows, refreshed by every run.
mkdir -p "$root/docs/images"
for name in run1-recent-files options-changed connection find migrated-toolbar controls page-setup-refused \
    create-certificate message-box; do
    if [ -e "$out/$name.png" ]; then convert "$out/$name.png" -trim +repage -strip "$root/docs/images/$name.png"; fi
done

echo "demo output: $out ($(cd "$out" && ls *.png 2>/dev/null | tr '\n' ' '))"
exit "$rc"
