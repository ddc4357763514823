#!/usr/bin/env bash
# windows_signing.sh BUILD VERSION: the installer of the Windows build in BUILD, made as
# `make windows-package` makes it (packaging/windows/make-installer.sh) into a temporary folder,
# with a throwaway self-signed code-signing certificate: the installer and the morvane.exe packed
# in it carry a signature that osslsigncode verifies against that certificate; made without one,
# the installer carries none.
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "windows_signing: FAIL: $*" >&2; exit 1; }
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=Morvane-test -addext extendedKeyUsage=codeSigning \
    -keyout "$tmp/key.pem" -out "$tmp/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$tmp/key.pem" -in "$tmp/cert.pem" -passout pass:secret -out "$tmp/cert.pfx"
make_installer() { MORVANE_INSTALLER_FAST=1 "$(dirname "$0")/../../packaging/windows/make-installer.sh" "$1" "$2" "$3"; }
MORVANE_SIGN_PFX=$tmp/cert.pfx MORVANE_SIGN_PASSWORD=secret make_installer "$1" "$2" "$tmp/signed.exe"
MORVANE_SIGN_PFX='' make_installer "$1" "$2" "$tmp/unsigned.exe"
for file in signed.exe signed-files/Morvane/morvane.exe; do
    osslsigncode verify -CAfile "$tmp/cert.pem" -in "$tmp/$file" > "$tmp/verify.log" 2>&1 ||
        fail "$file: the signature is not verified: $(cat "$tmp/verify.log")"
done
osslsigncode verify -in "$tmp/unsigned.exe" > "$tmp/verify.log" 2>&1 || true
grep -q 'No signature found' "$tmp/verify.log" || fail "the installer made without a certificate: $(cat "$tmp/verify.log")"
echo "windows_signing: signed installer and morvane.exe verified; unsigned installer has no signature"
