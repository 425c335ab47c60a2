#!/usr/bin/env bash
# The layer check on small trees: it passes a tree whose includes all run downwards and fails
# one with an upward include, an include between peers on any row, product code using tests,
# tools, benchmarks or test support, a project header in angle brackets, or <windows.h> outside
# a win32/ folder. Its rows are the README's.
#   check_layers_test.sh <check-layers.sh> [README.md]
set -uo pipefail
check=$1
readme=${2:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# tree <name> <file>=<included header>...: a tree of one-line files; a header written <x> is
# included with angle brackets.
tree() {
  local dir=$tmp/$1
  shift
  mkdir -p "$dir"
  for entry in "$@"; do
    mkdir -p "$dir/$(dirname "${entry%%=*}")"
    local header=${entry#*=}
    [[ $header == \<* ]] || header="\"$header\""
    echo "#include $header" >>"$dir/${entry%%=*}"
  done
  echo "$dir"
}
expect() {  # expect <pass|fail> <what> <tree>
  "$check" "$3" >"$tmp/out" 2>&1
  local rc=$?
  if [[ ($1 == pass && $rc != 0) || ($1 == fail && $rc == 0) ]]; then
    echo "FAILED: $2 (exit $rc)"
    cat "$tmp/out"
    failures=$((failures + 1))
  fi
}

expect pass "downward includes" "$(tree ok app/a.cpp=settings_ui/b.h display/win32/c.cpp=worldtime/d.h \
  settings/e.h=platform/clock.h display/f.cpp=display/g.h tests/unit/t.cpp=app/a.h \
  testsupport/s.cpp=display/g.h display/h.cpp='<vector>' raster/i.cpp=numeric/floor_div.h \
  nettime/win32/j.cpp='<windows.h>' libs/sound/k.rc='<windows.h>' tests/e2e/l.cpp='<windows.h>' \
  tools/m/main.cpp=testsupport/s.h)"
expect fail "settings record including an action" "$(tree up settings/a.h=actions/b.h)"
expect fail "a binding including a higher layer" "$(tree upbind platform/win32/a.h=settings/b.h)"
expect fail "the bottom header including a layer" "$(tree base numeric/a.h=platform/clock.h)"
for pair in raster/a.cpp=platform/b.h settings/a.cpp=worldtime/b.h libs/util/a.cpp=dialogfw/b.h \
            display/a.cpp=nettime/b.h actions/win32/a.cpp=display/b.h; do
  expect fail "peers including each other ($pair)" "$(tree "peer-${pair%%/*}" "$pair")"
done
for folder in testsupport tests tools bench; do
  expect fail "product using $folder/" "$(tree "uses-$folder" "raster/a.cpp=$folder/x/b.h")"
done
expect fail "a project header in angle brackets" "$(tree angle display/a.cpp='<raster/ops.h>' raster/ops.h=vector)"
expect fail "<windows.h> in portable code" "$(tree windows libs/imports.h='<windows.h>')"
tree indent display/a.cpp=app/b.h >/dev/null
sed -i 's/^#include/  #  include/' "$tmp/indent/display/a.cpp"
expect fail "an indented include" "$tmp/indent"

# The message names the README's layer numbers.
"$check" "$(tree numbers settings/a.h=actions/b.h)" >"$tmp/out" 2>&1
if ! grep -q 'settings (layer 2) includes actions/b.h (layer 3)' "$tmp/out"; then
  echo "FAILED: the message names layers 2 and 3"
  cat "$tmp/out"
  failures=$((failures + 1))
fi

# The README's layer rows are the check's: every "| <n> | `folder/` ..." row names its folders
# on the check's row n.
if [[ -n $readme ]]; then
  while read -r number folders; do
    for folder in $folders; do
      if ! grep -Eq "^\| $number \|.*\`$folder(/|\`)" "$readme"; then
        echo "FAILED: README.md does not put $folder/ on layer $number"
        failures=$((failures + 1))
      fi
    done
  done < <("$check" --rows)
  listed=$(grep -Ec '^\| [0-9]+ \|' "$readme")
  expected=$("$check" --rows | awk '{ n += NF - 1 } END { print n }')
  if [[ $listed != "$expected" ]]; then
    echo "FAILED: README.md has $listed layer rows, the check $expected folders"
    failures=$((failures + 1))
  fi
fi

[[ $failures == 0 ]] && echo "layer check: all cases behave"
exit $((failures > 0))
