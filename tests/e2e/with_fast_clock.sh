#!/usr/bin/env bash
# Runs a Wine command (the soak's driver) with every process of the prefix, wineserver included,
# on an accelerated clock: libfaketime through LD_PRELOAD, so only these processes see it and
# this machine's clock is never touched. The clock reaches 2026-12-31 21:00 as the command
# starts and runs MDX_SOAK_SPEED (default 400) times as fast.
#   with_fast_clock.sh <command...>
# Wine's own start-up waits (wineboot, the services, the desktop) are bounded in the clock's
# seconds, so at this speed they can run out on a busy machine: the desktop is brought up first
# on its own, and a start that fails within the first minute is tried again (up to three times).
set -uo pipefail

export MDX_SOAK_SPEED=${MDX_SOAK_SPEED:-400}
warmup=3  # real seconds for the desktop before the command starts
# One faketime for all processes shares one start among them (FAKETIME_DONT_RESET). File times
# stay real, or Wine would take the prefix for out of date and rebuild it.
export FAKETIME_DONT_RESET=1 NO_FAKE_STAT=1 TZ=UTC
begin=$(date -u -d "2026-12-31 21:00:00 UTC $(( warmup * MDX_SOAK_SPEED )) seconds ago" '+%Y-%m-%d %H:%M:%S')

verdict=$(mktemp /tmp/mdx-soak-verdict.XXXXXX)
trap 'rm -f "$verdict" "$verdict.rc"' EXIT
rc=1
for attempt in 1 2 3; do
  # The wineserver already running (winepath's) is not on this clock; none may be left over.
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  started=$(date +%s)
  # The wineserver persists until the end: its shut-down waits after the last process, a few
  # seconds of this clock, would otherwise run out while the driver is still exiting.
  # faketime's own clean-up waits on a semaphore that a Wine process killed inside the clock's
  # lock leaves taken, so it can wait for ever after the command is done: the command's exit code
  # goes to a file, and once it is there faketime gets a few seconds before it is ended.
  rm -f "$verdict.rc"
  faketime -m -f "@$begin x$MDX_SOAK_SPEED" bash -c '
    wineserver -p
    wine explorer.exe /desktop >/dev/null 2>&1 &
    sleep $(( '"$warmup"' * MDX_SOAK_SPEED ))
    "$@" | tee "$0"; rc=${PIPESTATUS[0]}
    wineserver -k
    echo $rc >"$0.rc"
    exit $rc' "$verdict" "$@" &
  faketime_pid=$!
  while kill -0 "$faketime_pid" 2>/dev/null && [ ! -s "$verdict.rc" ]; do sleep 1; done
  for _ in 1 2 3 4 5; do kill -0 "$faketime_pid" 2>/dev/null || break; sleep 1; done
  if kill -0 "$faketime_pid" 2>/dev/null; then
    echo "fast clock: faketime did not end after the command; ending it"
    kill -9 "$faketime_pid" 2>/dev/null
    rm -f "/dev/shm/faketime_sem_$faketime_pid" "/dev/shm/sem.faketime_sem_$faketime_pid" "/dev/shm/faketime_shm_$faketime_pid"
  fi
  wait "$faketime_pid" 2>/dev/null
  rc=$(cat "$verdict.rc" 2>/dev/null || echo 1)
  # A driver killed while exiting, after it gave its verdict, still gave that verdict.
  if (( rc == 137 )) && [ "$(tail -n 1 "$verdict" | tr -d '\r')" = PASSED ]; then
    echo "fast clock: the driver was killed after it passed"
    rc=0
  fi
  took=$(( $(date +%s) - started ))
  echo "fast clock, attempt $attempt: exit $rc after $took s of real time; this machine's clock reads $(date '+%F %T')"
  (( rc == 0 || took > 60 )) && break
done
exit $rc
