#!/usr/bin/env bash
# Builds the Wine prefix template for the end-to-end tests and `make run`: a 64-bit prefix
# with the IPA Japanese fonts installed and standing in for the Japanese Windows faces, so
# that menus and dialogs render their Japanese texts.
#   make_wine_prefix.sh <prefix-dir>
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
wineserver -w

fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$fonts/"
# Wine draws the frame buttons with Marlett; give the prefix its own copy.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; fi

# The registry file is UTF-16 so that the Japanese face names survive.
iconv -f UTF-8 -t UTF-16LE "$here/wine_fonts.reg" | { printf '\xff\xfe'; cat; } > "$prefix/drive_c/fonts.reg"
wine regedit /S 'C:\fonts.reg' >/dev/null 2>&1 || true
wineserver -w
rm -f "$prefix/drive_c/fonts.reg"
touch "$prefix/.meridexa-template"
