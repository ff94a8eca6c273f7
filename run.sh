#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Kombinator and starts its window through the
# launcher, in the user's folder Kombinator in the documents folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
stamp=build/release/.kombinator-configure
if [ -f build/release/build.ninja ] && [ -f "$stamp" ]; then
  # A folder that ./test.sh configured is built as it stands, not rebuilt with other options.
  mapfile -t configured < <(tail -n +2 "$stamp")
  scripts/build.sh build/release Release ${configured[@]+"${configured[@]}"}
else
  scripts/build.sh build/release Release
fi
exec build/release/bin/kombinator-start "$@"
