#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Kombinator and starts its window.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build/release Release
exec build/release/src/ui/kombinator "$@"
