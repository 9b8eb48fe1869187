#!/usr/bin/env bash
# Generated certificates, PFX files and requests read by openssl: CertificateWriter makes them under Wine,
# then every certificate must show what the library put into it, every PFX must give the certificate and its
# key under the empty password, and every request must verify.
#   check-with-openssl.sh <wine-run> <CertificateWriter.exe> <folder> <count>
set -uo pipefail
run=$1 writer=$2 folder=$3 count=$4
rm -rf "$folder" && mkdir -p "$folder" || exit 1
if ! "$run" "$writer" "Z:${folder//\//\\}" "$count"; then
    echo "FAIL: the writer failed"
    exit 1
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
subject='subject=CN = host.example.com, O = Example Org, OU = Ops, C = US, L = Springfield, ST = Oregon, emailAddress = admin@example.com'
certificates=0 negative=0 full_length=0 example= serials=()
while read -r stem flags bits; do
    cer=$folder/$stem.cer csr=$folder/$stem.csr
    certificates=$((certificates + 1))
    if ! text=$(openssl x509 -inform der -in "$cer" -noout -text 2>&1); then
        fail "$stem: openssl cannot read the certificate: $text"
        continue
    fi
    for line in 'Version: 3 (0x2)' 'Signature Algorithm: md5WithRSAEncryption' "Public-Key: ($bits bit)" \
        'X509v3 Subject Key Identifier:' \
        'Digital Signature, Key Encipherment, Data Encipherment, Key Agreement' 'CA:TRUE, pathlen:1' '2.5.29.1:'; do
        grep -qF -- "$line" <<<"$text" || fail "$stem: no \"$line\""
    done
    if (( flags & 1 )); then usage='TLS Web Client Authentication'; else usage='TLS Web Server Authentication'; fi
    grep -qF "$usage" <<<"$text" || fail "$stem: no \"$usage\""
    grep -qF 'X509v3 Key Usage: critical' <<<"$text" && fail "$stem: a critical extension"

    # The serial: up to 16 bytes (DER drops a redundant leading 0x00 or 0xFF of the random bytes), signed.
    parsed=$(openssl asn1parse -inform der -in "$cer")
    read -r serial_offset serial_header serial_length < <(
        sed -n '5s/^ *\([0-9]*\):d=2 *hl=\([0-9]*\) *l= *\([0-9]*\) prim: INTEGER.*/\1 \2 \3/p' <<<"$parsed")
    serial=$(sed -n '5s/.*INTEGER *://p' <<<"$parsed")
    [ "$serial_length" = 16 ] && full_length=$((full_length + 1))
    [ -n "$serial_length" ] && [ "$serial_length" -le 16 ] || fail "$stem: serial of ${serial_length:-no} bytes"
    serials+=("$serial")
    printed=$(openssl x509 -inform der -in "$cer" -noout -serial)
    [ "$printed" = "serial=$serial" ] || fail "$stem: $printed, parsed as $serial"
    if [[ $serial == -* ]]; then
        negative=$((negative + 1))
        [ -z "$example" ] && example="$printed / $(grep -A1 'Serial Number:' <<<"$text" | tail -1 | sed 's/^ *//')"
    fi

    # The authority key identifier: key id = the subject key identifier, issuer, serial = the serial.
    key_id=$(grep -A1 'Subject Key Identifier:' <<<"$text" | tail -1 | tr -d ' :\n')
    authority=$(grep -A1 ':2.5.29.1$' <<<"$parsed" | tail -1 | sed 's/.*HEX DUMP\]://')
    authority_parsed=$(perl -ne 'chomp; print pack("H*", $_)' <<<"$authority" | openssl asn1parse -inform der 2>&1)
    for part in 'prim: cont \[ 0 \]' 'cons: cont \[ 1 \]' 'prim: cont \[ 2 \]'; do
        grep -q "$part" <<<"$authority_parsed" || fail "$stem: the authority key identifier has no ${part#*: }"
    done
    [[ $authority == *8010$key_id* ]] || fail "$stem: the authority key id is not the subject key id $key_id"
    serial_content=$(od -An -tx1 -j $((serial_offset + serial_header)) -N "$serial_length" "$cer" | tr -d ' \n')
    [[ $authority == *$(printf '82%02X' "$serial_length")${serial_content^^} ]] ||
        fail "$stem: the authority key identifier's serial is not $serial_content"

    case $stem in
    cert*|key2048)
        got=$(openssl x509 -inform der -in "$cer" -noout -subject)
        [ "$got" = "$subject" ] || fail "$stem: $got" ;;
    long)
        got=$(openssl x509 -inform der -in "$cer" -noout -subject -nameopt RFC2253)
        [ "$got" = "subject=CN=$(printf 'w%.0s' $(seq 10000))" ] || fail "$stem: a subject of ${#got} characters" ;;
    wide)
        got=$(openssl x509 -inform der -in "$cer" -noout -subject -nameopt RFC2253,-esc_msb,utf8)
        [ "$got" = "subject=CN=Ж中é" ] || fail "$stem: $got" ;;
    esac

    # The PFX: MAC and shrouded key read under the empty password; its key is the certificate's.
    pfx=$folder/$stem.pfx
    info=$(openssl pkcs12 -in "$pfx" -info -passin pass: -nodes 2>&1) || fail "$stem: pkcs12: $info"
    grep -q 'Shrouded Keybag: pbeWithSHA1And3-KeyTripleDES-CBC' <<<"$info" || fail "$stem: no shrouded key bag"
    key_check=$(openssl pkcs12 -in "$pfx" -passin pass: -nodes -nocerts 2>/dev/null | openssl rsa -check -noout 2>&1)
    [ "$key_check" = 'RSA key ok' ] || fail "$stem: the PFX's key: $key_check"
    [ "$(openssl pkcs12 -in "$pfx" -passin pass: -nodes -nocerts 2>/dev/null | openssl rsa -noout -modulus)" = \
      "$(openssl x509 -inform der -in "$cer" -noout -modulus)" ] || fail "$stem: the PFX's key is not the certificate's"
    [ "$(openssl pkcs12 -in "$pfx" -passin pass: -nokeys 2>/dev/null | openssl x509 -outform der | md5sum)" = \
      "$(md5sum <"$cer")" ] || fail "$stem: the PFX's certificate is not the one generated"

    if (( flags & 4 )); then
        [ "$(head -c 41 "$csr" | tr '\r\n' 'RN')" = '-----BEGIN NEW CERTIFICATE REQUEST-----RN' ] || fail "$stem: request header"
        verified=$(openssl req -in "$csr" -noout -verify 2>&1) || fail "$stem: request: $verified"
        grep -q 'verify OK' <<<"$verified" || fail "$stem: request: $verified"
        [ "$(openssl req -in "$csr" -noout -modulus)" = "$(openssl x509 -inform der -in "$cer" -noout -modulus)" ] ||
            fail "$stem: the request's key is not the certificate's"
        [ "$(openssl req -in "$csr" -noout -subject -nameopt RFC2253,-esc_msb,utf8)" = \
          "$(openssl x509 -inform der -in "$cer" -noout -subject -nameopt RFC2253,-esc_msb,utf8)" ] ||
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
