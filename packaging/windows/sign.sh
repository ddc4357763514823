#!/usr/bin/env bash
# sign.sh FILE...: signs each Windows program FILE in place (Authenticode, SHA-256) with
# osslsigncode, with the certificate and key of the PFX (PKCS#12) file MORVANE_SIGN_PFX, whose
# password is in MORVANE_SIGN_PASSWORD (given on standard input, not on a command line that
# anyone on the machine could read). With MORVANE_SIGN_TIMESTAMP (a timestamp server's URL) the
# signature is also timestamped. Without MORVANE_SIGN_PFX it signs nothing.
#
# morvane.nsi has makensis call it on the installer (!finalize) and on the uninstaller that the
# installer embeds (!uninstfinalize); make-installer.sh calls it on the copies of morvane.exe and
# of the two helpers that go into the installer.
set -euo pipefail
[ -n "${MORVANE_SIGN_PFX:-}" ] || exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file; do
    signed=$work/$(basename "$file") # osslsigncode writes only a file that is not there yet
    if ! printf '%s' "${MORVANE_SIGN_PASSWORD:-}" |
        osslsigncode sign -pkcs12 "$MORVANE_SIGN_PFX" -readpass /dev/stdin -h sha256 \
            -n Morvane \
            ${MORVANE_SIGN_TIMESTAMP:+-ts "$MORVANE_SIGN_TIMESTAMP"} \
            -in "$file" -out "$signed" >/dev/null; then
        echo "sign.sh: could not sign $file" >&2
        exit 1
    fi
    cat "$signed" > "$file" # in place, as makensis expects (same file, same mode)
    rm "$signed"
done
