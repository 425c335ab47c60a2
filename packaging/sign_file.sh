#!/usr/bin/env bash
# Signs one Windows binary in place with Authenticode (osslsigncode, SHA-256) using the
# certificate and key in the PKCS#12 file SIGN_PKCS12, opened with SIGN_PASSWORD (may be empty).
# With SIGN_TIMESTAMP_URL the signature is also timestamped by that server (RFC 3161), so it
# stays valid after the certificate expires; without it nothing leaves this machine.
# package.sh runs it for the four binaries; makensis runs it for the uninstaller and the
# installer as each is written.
#   sign_file.sh <file>
set -euo pipefail
file=$1
: "${SIGN_PKCS12:?SIGN_PKCS12 names no certificate}"
args=(sign -pkcs12 "$SIGN_PKCS12" -h sha256 -n "Meridexa")
# The password travels through a pipe, not the command line that other users can read.
args+=(-readpass /dev/stdin)
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then args+=(-ts "$SIGN_TIMESTAMP_URL"); fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s' "${SIGN_PASSWORD:-}" | osslsigncode "${args[@]}" -in "$file" -out "$work/signed" >/dev/null
cat "$work/signed" > "$file"
