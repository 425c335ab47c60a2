#!/usr/bin/env bash
# Fails when product code includes a header of a layer above its own, or of another folder
# of its own layer. The layers, bottom to top (folders on one line are peers):
layers=(
  "platform raster resources"
  "settings"
  "worldtime"
  "libs"
  "dialogfw"
  "display"
  "actions"
  "nettime"
  "settings_ui"
  "app"
  "testsupport"
)
# Test-support code may use every product layer; nothing in a product layer may use it.
#   check-layers.sh [source root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

declare -A rank
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do rank[$folder]=$i; done
done

status=0
while IFS= read -r file; do
  from=${file%%/*}
  [[ -n ${rank[$from]:-} ]] || continue
  while IFS=: read -r line text; do
    header=${text#*\"}
    header=${header%%\"*}
    to=${header%%/*}
    [[ $header == */* && -n ${rank[$to]:-} && $to != "$from" ]] || continue
    if (( ${rank[$to]} >= ${rank[$from]} )); then
      echo "$file:$line: $from (layer ${rank[$from]}) includes $header (layer ${rank[$to]})"
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$root/$file")
done < <(cd "$root" && find . -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) \
           -not -path './build/*' -not -path './.git/*' -printf '%P\n' | sort)
[[ $status == 0 ]] && echo "layers: every include points to a lower layer"
exit $status
