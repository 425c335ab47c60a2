#!/usr/bin/env bash
# Two release builds of one commit must give the same bytes: builds the program and its
# libraries again in a fresh tree at another path, packages them with the commit's date and
# compares the zip, the installer and the sums with those in dist/ (made by `make dist`).
#   check_reproducible.sh <dist dir> <scratch dir> [jobs]
set -euo pipefail
dist=$(cd "$1" && pwd)
scratch=$2
jobs=${3:-2}
src=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$scratch"
mkdir -p "$scratch"
cmake -S "$src" -B "$scratch/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$scratch/win" -j "$jobs" --target meridexa mdxutil mdxsound mdxgraph >/dev/null
"$src/packaging/package.sh" "$scratch/win" "$scratch/stage" "$scratch/dist" >/dev/null

status=0
for f in Meridexa-1.50-win64.zip Meridexa-1.50-setup.exe SHA256SUMS; do
  if cmp -s "$dist/$f" "$scratch/dist/$f"; then
    echo "same bytes: $f"
  else
    echo "DIFFERENT: $f ($dist/$f and $scratch/dist/$f)"
    status=1
  fi
done
exit $status
