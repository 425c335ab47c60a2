#!/usr/bin/env bash
# make cost: what the program costs while it runs idle, under Wine on a private Xvfb, beside
# sunclock (Debian's X11 world map clock) on another private Xvfb over the same period.
#   measure_idle_cost.sh <windows build dir> [seconds] [earlier windows build dir]
# Six rounds: the default window and 1156 x 680, each with default settings, with INTERVAL = 1
# and with the true sky (D_TAIYOU = 1). Per round and program: CPU of its own process (utime + stime, and the on-CPU
# nanoseconds of its threads from schedstat, finer than the 10 ms ticks) as % of one core,
# its wineserver's and X server's CPU, resident memory, and the ratio to sunclock; and the
# start-up times from the launch to the first title, the first picture and the first frame.
# An earlier build given as the third argument runs beside in the same rounds ("before").
# Everything started here runs on its own displays and prefixes and is ended by its id.
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-120}
before=${3:+$(cd "$3" && pwd)}
here=$(cd "$(dirname "$0")" && pwd)
e2e=$(cd "$here/../../tests/e2e" && pwd)
hz=$(getconf CLK_TCK)

template=$("$e2e/ensure_wine_template.sh" "$build") || exit 1

work=$(mktemp -d "$build/cost-run.XXXXXX")
started_pids=()
prefixes=()
stop_round() {
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null; done
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  started_pids=()
  for p in "${prefixes[@]}"; do rm -rf "$p"; done
  prefixes=()
}
cleanup() {
  stop_round
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private X server; sets DISPLAY_NUM and XVFB_PID.
start_xvfb() {
  local f=$work/display.$RANDOM$RANDOM
  Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix 8>"$f" >/dev/null 2>&1 &
  XVFB_PID=$!
  started_pids+=("$XVFB_PID")
  for _ in $(seq 100); do [ -s "$f" ] && break; sleep 0.1; done
  DISPLAY_NUM=$(head -n1 "$f")
}

# utime + stime in clock ticks, and the on-CPU nanoseconds of all threads.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13}'; }
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

# The process of this user whose command line holds $1 and whose WINEPREFIX is $2.
find_wine_process() {
  local p
  for p in /proc/[0-9]*; do
    [ -O "$p" ] || continue
    tr "\0" " " 2>/dev/null <"$p/cmdline" | grep -q -- "$1" || continue
    tr "\0" "\n" 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$2" || continue
    basename "$p"
    return 0
  done
  return 1
}

# Starts one build in a fresh prefix on its own display; records the pids to sample.
# launch <label> <build dir> <INTERVAL> <width> <height> <D_TAIYOU>
declare -A PID WSPID XPID STARTUP
launch() {
  local label=$1 dir=$2 interval=$3 w=$4 h=$5 taiyou=$6
  local prefix=$work/prefix-$label
  cp -a --reflink=auto "$template" "$prefix"
  prefixes+=("$prefix")
  mkdir -p "$prefix/drive_c/meridexa"
  cp "$dir/meridexa.exe" "$dir/mdxutil.dll" "$dir/mdxsound.dll" "$dir/mdxgraph.dll" "$prefix/drive_c/meridexa/"
  cp "$build/mdxcost.exe" "$prefix/drive_c/"
  start_xvfb
  XPID[$label]=$XVFB_PID
  # The start is timed in a warm prefix, as on a PC that has been running a while: Wine's server
  # and its services are up before the launch (a cold prefix starts them beside the program).
  DISPLAY=:$DISPLAY_NUM WINEPREFIX=$prefix WINEDEBUG=-all wine cmd /c exit >/dev/null 2>&1
  # Without the right to set this machine's clock, as in the end-to-end tests.
  DISPLAY=:$DISPLAY_NUM WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 \
    setpriv --bounding-set -sys_time --inh-caps -sys_time \
    timeout 60 wine 'C:\mdxcost.exe' 'C:\meridexa\meridexa.exe' "$interval" "$w" "$h" "$taiyou" >"$work/$label.launch" 2>/dev/null
  tr -d '\r' <"$work/$label.launch" >"$work/$label.txt"
  PID[$label]=$(find_wine_process 'meridexa.exe' "$prefix")
  WSPID[$label]=$(find_wine_process 'wineserver' "$prefix")
  STARTUP[$label]=$(awk -F= '/^(title|picture|frame|frame_after)_ms=/ {printf "%s ", $2} /^client=/ {printf "%s", $2}' "$work/$label.txt")
}

echo "make cost: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "start $(date -u '+%Y-%m-%d %H:%M UTC'), load average $(cut -d' ' -f1-3 /proc/loadavg), $seconds s per round"
results=$work/results
: >"$results"

rounds=("default-window default 0 0 0 0" "default-window INTERVAL=1 1 0 0 0" "default-window D_TAIYOU=1 0 0 0 1"
        "1156x680 default 0 1156 680 0" "1156x680 INTERVAL=1 1 1156 680 0" "1156x680 D_TAIYOU=1 0 1156 680 1")
for round in "${rounds[@]}"; do
  read -r size settings interval w h taiyou <<<"$round"
  labels=(after)
  launch after "$build" "$interval" "$w" "$h" "$taiyou"
  if [ -n "$before" ]; then
    labels+=(before)
    launch before "$before" "$interval" "$w" "$h" "$taiyou"
  fi
  geom=578x340
  [ "$w" -gt 0 ] && geom=${w}x${h}
  start_xvfb
  sun_x=$XVFB_PID
  DISPLAY=:$DISPLAY_NUM sunclock -map -mapgeom "$geom+0+0" >/dev/null 2>&1 &
  sun=$!
  started_pids+=("$sun")
  sleep 5  # past the start: the steady state is measured

  declare -A t0 n0 t1 n1
  sample() {  # sample <array suffix 0|1>
    local k pid
    for k in "${labels[@]}"; do
      for pid in "${PID[$k]}" "${WSPID[$k]}" "${XPID[$k]}"; do
        eval "t$1[$pid]=\$(cpu_ticks $pid); n$1[$pid]=\$(cpu_ns $pid)"
      done
    done
    for pid in "$sun" "$sun_x"; do eval "t$1[$pid]=\$(cpu_ticks $pid); n$1[$pid]=\$(cpu_ns $pid)"; done
  }
  start_s=$(date +%s.%N)
  sample 0
  sleep "$seconds"
  sample 1
  elapsed=$(echo "$(date +%s.%N) - $start_s" | bc)
  pct_ticks() { echo "${t1[$1]:-0} ${t0[$1]:-0}" | awk -v hz="$hz" -v s="$elapsed" '{printf "%.3f", ($1 - $2) / hz / s * 100}'; }
  pct_ns() { echo "${n1[$1]:-0} ${n0[$1]:-0}" | awk -v s="$elapsed" '{printf "%.3f", ($1 - $2) / 1e9 / s * 100}'; }
  sun_pct=$(pct_ns "$sun")
  for k in "${labels[@]}"; do
    p=${PID[$k]:-}
    if [ -z "$p" ]; then
      echo "$size|$settings|meridexa ($k)|did not start|||||||" >>"$results"
      continue
    fi
    mine=$(pct_ns "$p")
    ratio=$(awk -v a="$mine" -v b="$sun_pct" 'BEGIN {if (b > 0) printf "%.3f", a / b; else print "-"}')
    read -r title picture frame after client <<<"${STARTUP[$k]}"
    echo "$size|$settings|meridexa ($k)|$(pct_ticks "$p")|$mine|$(pct_ns "${WSPID[$k]}")|$(pct_ns "${XPID[$k]}")|$(( $(rss_kb "$p") / 1024 ))|$ratio|$title / $picture / $frame ($after)|$client" >>"$results"
  done
  echo "$size|$settings|sunclock|$(pct_ticks "$sun")|$sun_pct|-|$(pct_ns "$sun_x")|$(( $(rss_kb "$sun") / 1024 ))|1|-|$geom" >>"$results"
  unset t0 n0 t1 n1
  stop_round
done

echo "end $(date -u '+%Y-%m-%d %H:%M UTC'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| window | settings | process | CPU % utime+stime | CPU % on-CPU ns | wineserver % | X server % | RSS MB | ratio to sunclock | start ms: title / picture / whole frame (after) | client |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
awk -F'|' '{printf "|"; for (i = 1; i <= NF; i++) printf " %s |", $i; print ""}' "$results"
