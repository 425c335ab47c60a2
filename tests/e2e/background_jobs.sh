# Sourced by the end-to-end wrappers that run programs beside the command under test:
#   source background_jobs.sh <name>
# It gives a scratch directory $dir (/tmp/mdx-e2e-<name>.XXXXXX); the command prefix
# $nosystime, which runs a program without the right to set the clock; `start_job <command...>`,
# which runs a program in the background ($! names the program itself, not a shell) and keeps
# it for the end; and `stop_job <pid>`, which stops one of them sooner. On exit every job still
# kept is stopped, the last started first, and $dir removed; TERM and INT exit. Only the
# programs started here are ever stopped.
dir=$(mktemp -d "/tmp/mdx-e2e-$1.XXXXXX")
nosystime=(setpriv --bounding-set -sys_time --inh-caps -sys_time)
kept_jobs=()

start_job() {
  "$@" &
  kept_jobs+=("$!")
}

stop_job() {
  kill "$1" 2>/dev/null && wait "$1" 2>/dev/null
  local kept=() pid
  for pid in "${kept_jobs[@]}"; do
    [[ $pid == "$1" ]] || kept+=("$pid")
  done
  kept_jobs=("${kept[@]}")
}

stop_kept_jobs() {
  while (( ${#kept_jobs[@]} )); do
    stop_job "${kept_jobs[-1]}"
  done
  rm -rf "$dir"
}
trap stop_kept_jobs EXIT
trap 'exit 143' TERM INT
