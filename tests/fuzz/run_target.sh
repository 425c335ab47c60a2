#!/usr/bin/env bash
# Runs one fuzz target: first over the committed seeds, then fuzzing for a time budget.
#   run_target.sh <fuzz executable> <seed corpus dir> <work dir> <seconds> [fresh]
# New inputs go to <work dir>/corpus (the committed seeds are only read) and are replayed by
# the next run too, unless "fresh" starts from the seeds alone; a finding is saved
# in <work dir> as crash-*, leak-*, timeout-* or oom-*, and the run fails. The last line
# printed is "<target>: <executions> executions in <seconds> s".
set -euo pipefail
exe=$1 seeds=$2 work=$3 seconds=$4 fresh=${5:-}
name=$(basename "$exe")
if [ "$fresh" = fresh ]; then rm -rf "$work"; fi
mkdir -p "$work/corpus" "$seeds"
log="$work/fuzz.log"
status=0
"$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -len_control=0 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "$name: FAILED (exit $status); inputs saved in $work/"
  exit $status
fi
execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
echo "$name: ${execs:-0} executions in $seconds s ($(ls "$work/corpus" | wc -l) new corpus files)"
