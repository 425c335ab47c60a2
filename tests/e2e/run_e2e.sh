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

template=$build/wine-template
(
  flock 9
  if [ ! -f "$template/.meridexa-template" ]; then
    echo "making the Wine prefix template (once per build)"
    setpriv --bounding-set -sys_time --inh-caps -sys_time "$here/make_wine_prefix.sh" "$template"
  fi
) 9>"$build/wine-template.lock"

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
cp "$build/mdxdriver.exe" "$build/mdxprobe.dll" "$build/mdxbeepprobe.dll" "$build/mdxsoakprobe.dll" "$work/prefix/drive_c/"

# A private display; -displayfd picks a free number.
exec 8>"$work/display"
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix >/dev/null 2>&1 &
xvfb_pid=$!
exec 8>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
export WINEPREFIX=$work/prefix WINEDEBUG=${MDX_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8

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
# The sound scenarios play into a private PulseAudio null sink that is recorded and measured.
[[ $scenario == sound.* ]] && peers=("$here/with_pulse_null_sink.sh" "$out")
limit=180
# The soak runs every Wine process, wineserver included, on an accelerated clock that starts
# at 2026-12-31 21:00 (libfaketime through LD_PRELOAD: only these processes see it, this
# machine's clock is never touched). The wineserver that winepath started is stopped first, so
# that the soak's own one starts under the same clock.
if [[ $scenario == soak.* ]]; then
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  # File times stay real, or Wine would take the prefix for out of date and rebuild it.
  export MDX_SOAK_SPEED=${MDX_SOAK_SPEED:-400} FAKETIME_DONT_RESET=1 NO_FAKE_STAT=1
  # The clock starts three real seconds of warm-up (below) before 2026-12-31 21:00.
  warmup=3
  begin=$(date -u -d "2026-12-31 21:00:00 UTC $(( warmup * MDX_SOAK_SPEED )) seconds ago" '+%Y-%m-%d %H:%M:%S')
  peers=(env TZ=UTC faketime -m -f "@$begin x$MDX_SOAK_SPEED")
  days=1
  [[ $scenario == soak.three_days ]] && days=3
  limit=$(( days * 86400 / MDX_SOAK_SPEED + 120 ))
  # One faketime for all, so that every process shares one clock. Wine's start-up waits (for
  # the desktop, the services) are bounded in that clock's seconds and would run out before
  # anything started, so the desktop is made first, alone, given three real seconds ("sleep"
  # runs on the fast clock too).
  peers+=(bash -c 'wine explorer.exe /desktop >/dev/null 2>&1 & sleep $(( 3 * MDX_SOAK_SPEED )); exec "$@"' soak)
  before=$(date +%s)
fi
timeout "$limit" "${peers[@]}" setpriv --bounding-set -sys_time --inh-caps -sys_time \
  wine 'C:\mdxdriver.exe' "$scenario" 'C:\meridexa\meridexa.exe' "$outwin"
rc=$?
if [[ $scenario == soak.* ]]; then
  after=$(date +%s)
  echo "soak: $(( after - before )) s of real time; this machine's clock reads $(date '+%Y-%m-%d %H:%M:%S')"
  wineserver -k 2>/dev/null
fi

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || break
  convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
exit $rc
