#!/usr/bin/env bash
# scripts/tsan.sh: the threaded tests (the optimiser and the worker-thread helper) built with
# ThreadSanitizer into build/tsan and run. Qt itself is not instrumented, so reports inside
# libQt6Core alone (the QtTest watchdog at exit) are not ours.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build/tsan" && cd "$root/build/tsan"

flags="-std=c++20 -O1 -g -fsanitize=thread -fno-omit-frame-pointer -mpopcnt -I$root/src -I$root/tests"
g++ $flags $root/tests/generator/guarantee_optimiser_test.cpp $root/src/generator/guarantee_optimiser.cpp \
  $root/src/generator/coverage_bitmaps.cpp $root/src/generator/guarantee_reduction.cpp $root/src/generator/system_line.cpp \
  -lgtest -lgtest_main -pthread -o optimiser_tests_tsan
/usr/lib/qt6/libexec/moc $root/src/ui/background_job.h -o moc_background_job.cpp
/usr/lib/qt6/libexec/moc $root/tests/ui/test_background_job.cpp -o test_background_job.moc
g++ $flags -fPIC -I. $(pkg-config --cflags Qt6Core Qt6Test) $root/src/ui/background_job.cpp moc_background_job.cpp \
  $root/tests/ui/test_background_job.cpp $(pkg-config --libs Qt6Core Qt6Test) -pthread -o background_job_tsan
./optimiser_tests_tsan
QT_QPA_PLATFORM=offscreen ./background_job_tsan
