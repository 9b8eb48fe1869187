#!/usr/bin/env bash
# Generated certificates, PFX files and requests read by openssl: CertificateWriter makes them under Wine,
# then every certificate must show what the library put into it, every PFX must give the certificate and its
# key under the empty password, and every request must verify.
#   check-with-openssl.sh <wine-run> <CertificateWriter.exe> <folder> <count>
# <count> certificates are made in a row, then four more of other kinds (see CertificateWriter); the test suite
# asks for 40, `make fuzz` for 200. The closing line tells what openssl printed for a serial with its top bit
# set.
set -uo pipefail
run=$1 writer=$2 folder=$3 count=$4
rm -rf "$folder" && mkdir -p "$folder" || exit 1
if ! "$run" "$writer" "Z:${folder//\//\\}" "$count"; then
    echo "FAIL: the writer failed"
    exit 1
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { [[ $1 == *"$2"* ]]; }
has_line() { [[ $'\n'$1$'\n' == *$'\n'"$2"$'\n'* ]]; }
# One openssl run per file and question where one can answer several, and bash's own matching in place of
# grep and sed: the full run checks 200 certificates.
subject='subject=emailAddress=admin@example.com,ST=Oregon,L=Springfield,C=US,OU=Ops,O=Example Org,CN=host.example.com'
names=RFC2253,-esc_msb,utf8
certificates=0 negative=0 full_length=0 example= serials=()
while read -r stem flags bits; do
    cer=$folder/$stem.cer csr=$folder/$stem.csr pfx=$folder/$stem.pfx pem=$folder/$stem.pem
    certificates=$((certificates + 1))
    if ! text=$(openssl x509 -inform der -in "$cer" -noout -serial -modulus -subject -nameopt $names -text 2>&1); then
        fail "$stem: openssl cannot read the certificate: $text"
        continue
    fi
    for line in 'Version: 3 (0x2)' 'Signature Algorithm: md5WithRSAEncryption' "Public-Key: ($bits bit)" \
        'X509v3 Subject Key Identifier:' \
        'Digital Signature, Key Encipherment, Data Encipherment, Key Agreement' 'CA:TRUE, pathlen:1' '2.5.29.1:'; do
        has "$text" "$line" || fail "$stem: no \"$line\""
    done
    if (( flags & 1 )); then usage='TLS Web Client Authentication'; else usage='TLS Web Server Authentication'; fi
    has "$text" "$usage" || fail "$stem: no \"$usage\""
    has "$text" 'X509v3 Key Usage: critical' && fail "$stem: a critical extension"
    [[ $text =~ (^|$'\n')serial=([^$'\n']*) ]] && printed=serial=${BASH_REMATCH[2]} || printed=
    modulus=
    [[ $text =~ (^|$'\n')Modulus=([0-9A-F]+) ]] && modulus=${BASH_REMATCH[2]} || fail "$stem: no modulus"
    [[ $text =~ (^|$'\n')(subject=[^$'\n']*) ]] && got=${BASH_REMATCH[2]} || got=
    [[ $text =~ Subject\ Key\ Identifier:\ *$'\n'\ *([0-9A-F:]*) ]] && key_id=${BASH_REMATCH[1]//:/} || key_id=

    # The serial: up to 16 bytes (DER drops a redundant leading 0x00 or 0xFF of the random bytes), signed.
    parsed=$(openssl asn1parse -inform der -in "$cer")
    serial_re=$'\n'' *([0-9]+):d=2 *hl=([0-9]+) *l= *([0-9]+) prim: INTEGER *:([-0-9A-F]*)'
    [[ $parsed =~ $serial_re ]] || fail "$stem: no serial number"
    serial_offset=${BASH_REMATCH[1]} serial_header=${BASH_REMATCH[2]} serial_length=${BASH_REMATCH[3]}
    serial=${BASH_REMATCH[4]}
    [ "$serial_length" = 16 ] && full_length=$((full_length + 1))
    [ -n "$serial_length" ] && [ "$serial_length" -le 16 ] || fail "$stem: serial of ${serial_length:-no} bytes"
    serials+=("$serial")
    [ "$printed" = "serial=$serial" ] || fail "$stem: $printed, parsed as $serial"
    if [[ $serial == -* ]]; then
        negative=$((negative + 1))
        [[ $text =~ Serial\ Number:\ *$'\n'\ *([^$'\n']*) ]]
        [ -z "$example" ] && example="$printed / ${BASH_REMATCH[1]}"
    fi

    # The authority key identifier: [0] the subject key identifier, [1] the issuer, [2] the serial's bytes.
    [[ $parsed =~ :2\.5\.29\.1$'\n'[^$'\n']*HEX\ DUMP\]:([0-9A-F]*) ]] && authority=${BASH_REMATCH[1]} || authority=
    serial_content=$(od -An -tx1 -j $((serial_offset + serial_header)) -N "$serial_length" "$cer")
    serial_content=${serial_content//[$' \n']/} serial_content=${serial_content^^}
    length_re='(81..|82....|[0-7].)'
    [[ $authority =~ ^30${length_re}8010${key_id}A1${length_re}.*82$(printf '%02X' "$serial_length")${serial_content}$ ]] ||
        fail "$stem: the authority key identifier $authority is not [0] $key_id, [1] issuer, [2] $serial_content"

    case $stem in
    cert*|key2048|key1000)
        [ "$got" = "$subject" ] || fail "$stem: $got" ;;
    long)
        [ "$got" = "subject=CN=$(printf 'w%.0s' $(seq 10000))" ] || fail "$stem: a subject of ${#got} characters" ;;
    wide)
        [ "$got" = "subject=CN=Ж中é" ] || fail "$stem: $got" ;;
    esac

    # The PFX: MAC and shrouded key read under the empty password; its key is the certificate's.
    info=$(openssl pkcs12 -in "$pfx" -info -passin pass: -nodes -out "$pem" 2>&1) || fail "$stem: pkcs12: $info"
    has "$info" 'Shrouded Keybag: pbeWithSHA1And3-KeyTripleDES-CBC' || fail "$stem: no shrouded key bag"
    key_check=$(openssl rsa -in "$pem" -check -noout -modulus 2>&1)
    has "$key_check" 'RSA key ok' || fail "$stem: the PFX's key: $key_check"
    has_line "$key_check" "Modulus=$modulus" || fail "$stem: the PFX's key is not the certificate's"
    openssl x509 -in "$pem" -outform der -out "$pem.der" && cmp -s "$pem.der" "$cer" ||
        fail "$stem: the PFX's certificate is not the one generated"

    if (( flags & 4 )); then
        IFS= read -r header <"$csr"
        [ "$header" = $'-----BEGIN NEW CERTIFICATE REQUEST-----\r' ] || fail "$stem: request header"
        request=$(openssl req -in "$csr" -noout -verify -modulus -subject -nameopt $names 2>&1) ||
            fail "$stem: request: $request"
        has "$request" 'verify OK' || fail "$stem: request: $request"
        has_line "$request" "Modulus=$modulus" || fail "$stem: the request's key is not the certificate's"
        [[ $request =~ (^|$'\n')(subject=[^$'\n']*) ]] && [ "${BASH_REMATCH[2]}" = "$got" ] ||
            fail "$stem: the request's subject is not the certificate's"
    elif [ -e "$csr" ]; then
        fail "$stem: a request that was not asked for"
    fi
done <"$folder/expected.txt"

# The other direction: PFX files made by openssl under the empty password, with 3DES and with AES, load;
# one with a certificate and no key does not.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=openssl.example.com -days 30 -keyout "$folder/ossl.key" \
    -out "$folder/ossl.crt" 2>/dev/null || fail "openssl cannot make a certificate"
for pbe in PBE-SHA1-3DES AES-256-CBC; do
    openssl pkcs12 -export -inkey "$folder/ossl.key" -in "$folder/ossl.crt" -passout pass: -keypbe "$pbe" \
        -certpbe "$pbe" -out "$folder/ossl-$pbe.pfx" || fail "openssl cannot write a $pbe PFX"
done
openssl pkcs12 -export -nokeys -in "$folder/ossl.crt" -passout pass: -out "$folder/ossl-nokey.pfx"
rm "$folder/ossl.crt" # no companion certificate for the PFX files
loads=$("$run" "$writer" load "Z:${folder//\//\\}\\ossl-PBE-SHA1-3DES.pfx" "Z:${folder//\//\\}\\ossl-AES-256-CBC.pfx" \
    "Z:${folder//\//\\}\\ossl-nokey.pfx" | tr -d '\r')
echo "$loads"
for expected in 'ossl-PBE-SHA1-3DES.pfx loaded' 'ossl-AES-256-CBC.pfx loaded' 'ossl-nokey.pfx failed'; do
    grep -qF "$expected" <<<"$loads" || fail "not \"$expected\""
done

[ -z "$(printf '%s\n' "${serials[@]}" | sort | uniq -d)" ] || fail "serial numbers repeat"
[ "$negative" -gt 0 ] || fail "no serial with its top bit set was checked"
[ "$full_length" -ge $((certificates / 2)) ] || fail "only $full_length of $certificates serials have 16 bytes"
echo "openssl read $certificates certificates; $negative serials with the top bit set, printed as: $example;" \
     "$full_length serials of 16 bytes"
[ "$failures" -eq 0 ]
