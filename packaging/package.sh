#!/usr/bin/env bash
# Makes the release files from a Windows build: the portable zip, the installer and their
# SHA-256 sums. The same commit always gives the same bytes: binaries stripped with their PE
# time set from SOURCE_DATE_EPOCH (default: the commit time), staged files dated the same,
# a zip written in a fixed order (make_zip.py) and makensis fed only those files.
# SIGN_PKCS12 (with SIGN_PASSWORD, and SIGN_TIMESTAMP_URL if wanted) signs the release.
#   package.sh <windows build dir> <stage dir> <out dir>
set -euo pipefail
build=$(cd "$1" && pwd)
stage=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
version=1.50
zip=Meridexa-$version-win64.zip
setup=Meridexa-$version-setup.exe

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct 2>/dev/null || echo 0)
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8

binaries=(meridexa.exe mdxutil.dll mdxsound.dll mdxgraph.dll)
# What the program and its libraries may import: Windows' own DLLs and each other.
allowed=(kernel32 user32 gdi32 advapi32 comctl32 comdlg32 shell32 winmm ws2_32 msvcrt ole32 oleaut32 oleacc
  mdxutil mdxsound mdxgraph)
allowed_list=" ${allowed[*]} "

rm -rf "$stage"
mkdir -p "$stage/licenses" "$out"
# makensis reads its paths from the script's folder: give it absolute ones.
stage=$(cd "$stage" && pwd)
out=$(cd "$out" && pwd)
for f in "${binaries[@]}"; do
  x86_64-w64-mingw32-strip --strip-all -o "$stage/$f" "$build/$f"
  for dll in $(x86_64-w64-mingw32-objdump -p "$stage/$f" | awk '/DLL Name:/ {print tolower($3)}'); do
    if [[ $allowed_list != *" ${dll%.dll} "* ]]; then
      echo "package.sh: $f imports $dll, which a Windows PC does not have" >&2
      exit 1
    fi
  done
done
# With a certificate the four binaries, the uninstaller and the installer are signed
# (sign_file.sh); without one the release is unsigned and byte for byte the same as ever.
nsis_sign=()
if [ -n "${SIGN_PKCS12:-}" ]; then
  export SIGN_PKCS12 SIGN_PASSWORD="${SIGN_PASSWORD:-}" SIGN_TIMESTAMP_URL="${SIGN_TIMESTAMP_URL:-}"
  for f in "${binaries[@]}"; do "$here/sign_file.sh" "$stage/$f"; done
  nsis_sign=(-DSIGN="$here/sign_file.sh")
fi
cp "$build/meridexa.html" "$stage/"
cp "$here/readme-ja.txt" "$stage/はじめにお読みください.txt"
cp "$here"/licenses/*.txt "$stage/licenses/"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

python3 "$here/make_zip.py" "$stage" "$out/$zip"
makensis -V2 -INPUTCHARSET UTF8 "${nsis_sign[@]}" -DSTAGE="$stage" -DICON="$src/resources/icons/meridexa.ico" \
  -DOUTFILE="$out/$setup" "$here/meridexa.nsi"
(cd "$out" && sha256sum "$zip" "$setup" > SHA256SUMS)
echo "package.sh: $(cd "$out" && ls -l "$zip" "$setup" | awk '{print $5, $9}' | paste -sd' ')"
