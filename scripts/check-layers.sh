#!/usr/bin/env bash
# Fails when product code breaks the layering that README.md's "Source layout" describes:
#  - a folder includes a header of a folder on its own row or a row above (layers run one way,
#    bottom to top, and peers on a row do not include each other);
#  - product code includes tests/, tools/, bench/ or testsupport/ (they may use the product,
#    never the other way round);
#  - a project header is included with angle brackets (they are for system headers);
#  - <windows.h> is included outside a win32/ folder (the portable code never sees Windows;
#    resource scripts, which the resource compiler reads, are exempt).
# The rows, numbered as in the README (folders on one row are peers):
rows=(
  "numeric"
  "platform raster resources"
  "settings worldtime libs dialogfw"
  "display actions nettime"
  "settings_ui"
  "app"
)
test_only="tests tools bench testsupport"
#   check-layers.sh [source root]     check the tree
#   check-layers.sh --rows            print the rows, one "<number> <folder>..." a line
set -uo pipefail
if [[ ${1:-} == --rows ]]; then
  for i in "${!rows[@]}"; do echo "$i ${rows[$i]}"; done
  exit 0
fi
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

declare -A rank testOnly project
for i in "${!rows[@]}"; do
  for folder in ${rows[$i]}; do rank[$folder]=$i; done
done
for folder in $test_only; do testOnly[$folder]=1; done
for dir in "$root"/*/; do
  dir=${dir%/}
  project[${dir##*/}]=1
done

status=0
fail() {
  echo "$1"
  status=1
}

while IFS= read -r file; do
  from=${file%%/*}
  [[ -n ${rank[$from]:-} ]] || continue
  while IFS=: read -r line text; do
    text=${text#*include}
    text=${text#"${text%%[!$' \t']*}"}  # the blanks before the header name
    if [[ $text == \<* ]]; then
      header=${text#<}
      header=${header%%>*}
      top=${header%%/*}
      if [[ $header == */* && -n ${project[$top]:-} ]]; then
        fail "$file:$line: includes the project header $header with angle brackets"
      elif [[ ${header,,} == windows.h && $file != */win32/* && $file != *.rc ]]; then
        fail "$file:$line: includes <windows.h> outside a win32/ folder"
      fi
      continue
    fi
    header=${text#\"}
    header=${header%%\"*}
    to=${header%%/*}
    [[ $header == */* ]] || continue
    if [[ -n ${testOnly[$to]:-} ]]; then
      fail "$file:$line: product code ($from, layer ${rank[$from]}) includes $header, which only tests and tools may use"
    elif [[ -n ${rank[$to]:-} && $to != "$from" ]] && (( ${rank[$to]} >= ${rank[$from]} )); then
      fail "$file:$line: $from (layer ${rank[$from]}) includes $header (layer ${rank[$to]})"
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$root/$file")
done < <(cd "$root" && find . -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) \
           -not -path './build/*' -not -path './.git/*' -printf '%P\n' | sort)
[[ $status == 0 ]] && echo "layers: every include points to a lower layer"
exit $status
