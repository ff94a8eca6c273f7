#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer harnesses of tests/fuzz with clang++ under AddressSanitizer
# and UndefinedBehaviorSanitizer (build/fuzz) and runs each for SECONDS (default 60), starting from
# its committed seeds. A finding stops the run; its input is kept in build/fuzz/findings/.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed; the fuzzers are skipped"
  exit 0
fi
"$root/scripts/build.sh" build/fuzz RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKOMBINATOR_FUZZ=ON
build="$root/build/fuzz"
mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for seeds in "$root"/tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  corpus="$build/corpus/$name"  # grows with what the runs find; the committed seeds stay as they are
  mkdir -p "$corpus"
  log="$build/$name.log"
  if "$build/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$name: ${runs:-?} executions in ${seconds} s, no finding"
  else
    echo "$name: FINDING (see $log)"
    tail -n 30 "$log"
    failed=1
  fi
done
exit $failed
