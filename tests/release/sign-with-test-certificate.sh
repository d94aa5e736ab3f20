#!/usr/bin/env bash
# Signs a copy of Kestrane.exe with a throw-away self-signed certificate through the release's
# own signing step, then checks that the signature verifies against that certificate and that an
# unsigned program does not.
set -euo pipefail
sign_program=$1 program=$2 folder=$3
rm -rf "$folder" && mkdir -p "$folder" && cd "$folder"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kestrane test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout key.pem -out cert.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -passout pass:test -out test.pfx
cp "$program" unsigned.exe
cp "$program" signed.exe
"$sign_program" test.pfx test signed.exe
osslsigncode verify -CAfile cert.pem -in signed.exe >verify.txt 2>&1 || { cat verify.txt; exit 1; }
grep -q "Signature verification: ok" verify.txt || { cat verify.txt; exit 1; }
if osslsigncode verify -CAfile cert.pem -in unsigned.exe >/dev/null 2>&1; then
    echo "an unsigned program verified" >&2
    exit 1
fi
echo "signed program verifies"
