#!/usr/bin/env bash
# Starts the freshly built meridexa.exe: natively on Windows, under Wine elsewhere, in a Wine
# prefix that belongs to the project (<build>/wine-run, made once with the Japanese fonts).
#   run.sh <windows build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*) exec "$build/meridexa.exe" ;;
esac

prefix=$build/wine-run
if [ ! -f "$prefix/.meridexa-template" ]; then
  echo "Preparing the Wine prefix $prefix (once)..."
  "$here/tests/e2e/make_wine_prefix.sh" "$prefix"
fi
app=$prefix/drive_c/Program\ Files/Meridexa
mkdir -p "$app"
cp "$build/meridexa.exe" "$build/mdxutil.dll" "$build/mdxsound.dll" "$build/mdxgraph.dll" "$build/meridexa.html" "$app/"

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=${LANG:-ja_JP.UTF-8}
if [ -z "${DISPLAY:-}" ]; then
  # No screen here: run on a virtual one so the program still starts; say how to look at it.
  echo "No DISPLAY: starting Xvfb on :77 (look with: DISPLAY=:77 import -window root shot.png)"
  Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  export DISPLAY=:77
  sleep 1
fi
echo "Starting Meridexa (settings: HKCU\\Software\\Quenholt\\meridexa in $prefix)"
exec wine "C:\\Program Files\\Meridexa\\meridexa.exe"
