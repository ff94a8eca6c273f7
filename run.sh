#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Kombinator and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build/release Release
if [ -x build/release/src/ui/kombinator ]; then
  exec build/release/src/ui/kombinator "$@"
fi
exec build/release/src/kombinator-cli count examples/every-family.kfp
