#!/usr/bin/env bash
# Makes the build's Wine prefix template once (under a lock, as several scenarios or
# measurements may start together) and prints its path.
#   ensure_wine_template.sh <windows build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
template=$build/wine-template
(
  flock 9
  if [ ! -f "$template/.meridexa-template" ]; then
    echo "making the Wine prefix template (once per build)" >&2
    setpriv --bounding-set -sys_time --inh-caps -sys_time "$here/make_wine_prefix.sh" "$template" >&2
  fi
) 9>"$build/wine-template.lock"
echo "$template"
