#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Kombinator and starts its window through the
# launcher, in the user's folder Kombinator in the documents folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build/release Release
exec build/release/bin/kombinator-start "$@"
