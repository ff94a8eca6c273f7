// kombinator-bench: timings of the hot paths against the straightforward reference.
#include "bench_util.h"

int main() {
    RunEngineBenchmarks();
    RunReductionBenchmarks();
    RunCliBenchmarks();
    return 0;
}
