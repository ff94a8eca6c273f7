#!/usr/bin/env bash
# scripts/tsan.sh: the tests whose work runs on worker threads (the optimiser, the worker-thread
# helper, the optimiser's box and the system analysis in the window) built with ThreadSanitizer
# into build/tsan and run. Qt itself is not instrumented, so a report whose stack lies only in
# libQt6Core (the QtTest watchdog at exit) is not ours.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Only the threaded tests are built: the rest of the suite gains nothing from this build.
if [ ! -f "$root/build/tsan/build.ninja" ]; then
  cmake -S "$root" -B "$root/build/tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOMBINATOR_TSAN=ON \
    -DKOMBINATOR_WERROR=ON >/dev/null
fi
targets=(kombinator_core_tests test_background_job test_optimise_box test_analysis_dialog)
cmake --build "$root/build/tsan" --target "${targets[@]}"
cd "$root/build/tsan"
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$root/tests/tsan.supp"
export QT_QPA_PLATFORM=offscreen
status=0
./tests/kombinator_core_tests --gtest_filter='*Optimis*' || status=1
for t in test_background_job test_optimise_box test_analysis_dialog; do
  "./tests/ui/$t" || status=1
done
exit $status
