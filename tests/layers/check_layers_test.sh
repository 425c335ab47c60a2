#!/usr/bin/env bash
# The layer check on small trees: it passes a tree whose includes all run downwards and fails
# one with an upward include, an include between peers, or product code using test support.
#   check_layers_test.sh <check-layers.sh>
set -uo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# tree <name> <file>=<included header>...: a tree of one-line files.
tree() {
  local dir=$tmp/$1
  shift
  mkdir -p "$dir"
  for entry in "$@"; do
    mkdir -p "$dir/$(dirname "${entry%%=*}")"
    echo "#include \"${entry#*=}\"" >>"$dir/${entry%%=*}"
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
  testsupport/s.cpp=display/g.h display/h.cpp=vector)"
expect fail "settings record including an action" "$(tree up settings/a.h=actions/b.h)"
expect fail "a binding including a higher layer" "$(tree upbind platform/win32/a.h=settings/b.h)"
expect fail "peers including each other" "$(tree peer raster/a.cpp=platform/b.h)"
expect fail "product using test support" "$(tree support raster/a.cpp=testsupport/ops_reference.h)"
tree indent display/a.cpp=app/b.h >/dev/null
sed -i 's/^#include/  #  include/' "$tmp/indent/display/a.cpp"
expect fail "an indented include" "$tmp/indent"

[[ $failures == 0 ]] && echo "layer check: all cases behave"
exit $((failures > 0))
