#!/usr/bin/env bash
# build.sh DIR BUILD_TYPE [cmake options...]: configures once, then builds quietly.
set -euo pipefail
dir=$1; type=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/$dir/build.ninja" ]; then
  cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
fi
if ! out=$(cmake --build "$root/$dir" 2>&1); then
  printf '%s\n' "$out"
  exit 1
fi
