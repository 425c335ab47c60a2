#!/usr/bin/env bash
# Signing the release with a throwaway self-signed certificate made here: every signed file (the
# four binaries, in the stage and in the zip, the uninstaller and the installer) passes
# `osslsigncode verify` with that certificate as the only CA. Packaging without a certificate
# gives exactly the bytes of the build's own release files. No timestamp server is asked.
#   check_signing.sh <windows build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Meridexa test signer" -days 2 \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" -passout pass:throwaway

# An osslsigncode ahead of the real one on PATH that verifies each file right after signing
# it, so the uninstaller, which exists only while makensis runs, is checked too.
real=$(command -v osslsigncode)
mkdir "$work/bin"
cat > "$work/bin/osslsigncode" <<WRAP
#!/usr/bin/env bash
"$real" "\$@" || exit
out=; in=
while [ \$# -gt 0 ]; do
  case \$1 in -out) out=\$2; shift ;; -in) in=\$2; shift ;; esac
  shift
done
if [ -n "\$out" ] && "$real" verify -CAfile "$work/cert.pem" -in "\$out" >/dev/null 2>&1; then
  echo "verified \$(basename "\$in")" >> "$work/signed.log"
else
  echo "unverified \$(basename "\$in")" >> "$work/signed.log"
fi
WRAP
chmod +x "$work/bin/osslsigncode"

cmake --build "$build" --target release_files >/dev/null
SIGN_PKCS12= SIGN_PASSWORD= SIGN_TIMESTAMP_URL= "$src/packaging/package.sh" "$build" "$work/stage-plain" "$work/plain" >/dev/null
for f in Meridexa-1.50-win64.zip Meridexa-1.50-setup.exe SHA256SUMS; do
  cmp -s "$build/package/$f" "$work/plain/$f" || fail "without a certificate $f differs from the unsigned release"
done

PATH=$work/bin:$PATH SIGN_PKCS12=$work/cert.p12 SIGN_PASSWORD=throwaway SIGN_TIMESTAMP_URL= \
  "$src/packaging/package.sh" "$build" "$work/stage" "$work/signed" >/dev/null
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1 || fail "$2 does not verify"; }
mkdir "$work/unzipped"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "$work/signed/Meridexa-1.50-win64.zip" "$work/unzipped"
for f in meridexa.exe mdxutil.dll mdxsound.dll mdxgraph.dll; do
  verify "$work/stage/$f" "$f"
  verify "$(find "$work/unzipped" -name "$f")" "$f in the zip"
done
verify "$work/signed/Meridexa-1.50-setup.exe" "the installer"
(cd "$work/signed" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS does not match the signed files"
# Six files signed, each verified: the four binaries, then the uninstaller, then the installer.
mapfile -t signed < "$work/signed.log"
printf '  %s\n' "${signed[@]}"
[ "${#signed[@]}" -eq 6 ] || fail "${#signed[@]} files signed, not 6"
for line in "${signed[@]}"; do [[ $line == verified* ]] || fail "$line"; done
[ "${signed[5]:-}" = "verified Meridexa-1.50-setup.exe" ] || fail "the installer is not signed last"
[ $failed -eq 0 ] && echo "signing: all signed files verify; unsigned release unchanged"
exit $failed
