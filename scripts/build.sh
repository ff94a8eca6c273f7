#!/usr/bin/env bash
# build.sh DIR BUILD_TYPE [cmake options...]: configures when the folder is new or was configured
# with other options, then builds quietly (printing the compiler's output only on failure).
set -euo pipefail
dir=$1; type=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
stamp="$root/$dir/.kombinator-configure"
wanted=$(printf '%s\n' "-DCMAKE_BUILD_TYPE=$type" "$@")
if [ ! -f "$root/$dir/build.ninja" ] || [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wanted" ]; then
  rm -f "$stamp"
  cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  printf '%s\n' "$wanted" >"$stamp"
fi
if ! out=$(cmake --build "$root/$dir" 2>&1); then
  printf '%s\n' "$out"
  exit 1
fi
