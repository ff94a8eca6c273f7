#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Kombinator and runs every test:
# once optimised, once under AddressSanitizer and UndefinedBehaviorSanitizer; then each fuzzer of
# tests/fuzz runs a few seconds (clang++, ASan and UBSan) so that they keep building and running.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build/release Release -DKOMBINATOR_WERROR=ON
scripts/build.sh build/sanitize RelWithDebInfo -DKOMBINATOR_SANITIZE=ON -DKOMBINATOR_WERROR=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
echo "== optimised build"
if ! (cd build/release && ctest --output-on-failure --timeout 600 -j2 >ctest.log 2>&1); then
  cat build/release/ctest.log
  exit 1
fi
tail -n 3 build/release/ctest.log
echo "== sanitizer build"
(cd build/sanitize && ctest --output-on-failure --timeout 900 -j2)
echo "== fuzzers"
scripts/fuzz.sh 5
