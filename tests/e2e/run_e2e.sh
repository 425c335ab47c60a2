#!/usr/bin/env bash
# Runs one end-to-end scenario: a fresh copy of the Wine prefix template, a private Xvfb
# display, meridexa.exe and its libraries installed in the prefix, and the test driver.
# Without the right to set the clock: the programs run with CAP_SYS_TIME dropped.
#   run_e2e.sh <scenario> <windows build dir>
# Screenshots land in <build>/e2e-output/<scenario>/ as PNG.
set -uo pipefail
scenario=$1
build=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

template=$("$here/ensure_wine_template.sh" "$build") || exit 1

work=$(mktemp -d "$build/e2e-run.XXXXXX")
out=$build/e2e-output/$scenario
rm -rf "$out"
mkdir -p "$out"
xvfb_pid=
cleanup() {
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cp -a --reflink=auto "$template" "$work/prefix"
app=$work/prefix/drive_c/meridexa
mkdir -p "$app"
cp "$build/meridexa.exe" "$build/mdxutil.dll" "$build/mdxsound.dll" "$build/mdxgraph.dll" "$build/meridexa.html" "$app/"
cp "$build/mdxdriver.exe" "$build"/mdx*probe.dll "$work/prefix/drive_c/"
dll_overrides="mscoree,mshtml="
# The release scenarios install the setup made from this build. Shortcuts land in the prefix
# only: its desktop becomes a plain folder (not the Linux user's), and no menu entries are made.
if [[ $scenario == release.* ]]; then
  cmake --build "$build" --target release_files >/dev/null || { echo "cannot make the release files"; exit 1; }
  cp "$build/package/Meridexa-1.50-setup.exe" "$work/prefix/drive_c/"
  for desktop in "$work"/prefix/drive_c/users/*/Desktop; do
    if [ -L "$desktop" ]; then rm "$desktop" && mkdir "$desktop"; fi
  done
  dll_overrides+=";winemenubuilder.exe=d"
fi

# A private display; -displayfd picks a free number.
exec 8>"$work/display"
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix >/dev/null 2>&1 &
xvfb_pid=$!
exec 8>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=$dll_overrides LANG=ja_JP.UTF-8

run() { setpriv --bounding-set -sys_time --inh-caps -sys_time "$@"; }
# The programs must not be able to set this machine's clock.
capbnd=$(run sh -c 'grep CapBnd /proc/self/status' | awk '{print $2}')
if [ -z "$capbnd" ] || (( (16#$capbnd >> 25) & 1 )); then
  echo "CAP_SYS_TIME is still in the bounding set; refusing to run"
  exit 1
fi

outwin=$(run winepath -w "$out" 2>/dev/null)
# The time-server scenarios talk to NTP peers on loopback, started around the driver.
peers=()
[[ $scenario == nettime.* ]] && peers=("$here/with_loopback_ntp.sh")
# The clock-setting scenarios ask 127.0.0.3 for a time one hour ahead of this machine's.
[[ $scenario == nettime.clock_* ]] && export MDX_NTP_AHEAD=1
# The sound scenarios play into a private PulseAudio null sink that is recorded and measured.
[[ $scenario == sound.* ]] && peers=("$here/with_pulse_null_sink.sh" "$out")
limit=180
# The soak runs on an accelerated clock from 2026-12-31 21:00 (tests/e2e/with_fast_clock.sh).
if [[ $scenario == soak.* ]]; then
  export MDX_SOAK_SPEED=${MDX_SOAK_SPEED:-400}
  days=1
  [[ $scenario == soak.three_days ]] && days=3
  peers=("$here/with_fast_clock.sh")
  limit=$(( 3 * 60 + days * 86400 / MDX_SOAK_SPEED + 120 ))
fi
timeout "$limit" "${peers[@]}" setpriv --bounding-set -sys_time --inh-caps -sys_time \
  wine 'C:\mdxdriver.exe' "$scenario" 'C:\meridexa\meridexa.exe' "$outwin"
rc=$?

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || break
  convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
exit $rc
